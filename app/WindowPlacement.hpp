#pragma once
// Where the program's top-level windows go: their frame size for a client area, and a place centred
// on the screen or on their owner, kept inside the owner's monitor.

#include <windows.h>

namespace quarrow::app {

// The outer size of a window without a menu whose client area is `clientWidth` × `clientHeight`.
SIZE FrameSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

// The top-left corner that centres a window of `size` on the work area of the primary monitor.
POINT CentredOnScreen(SIZE size);

// The top-left corner that centres a window of `size` on `owner` (on the screen without one), moved
// as little as needed to keep it inside the owner's work area.
POINT CentredOn(HWND owner, SIZE size);

} // namespace quarrow::app
