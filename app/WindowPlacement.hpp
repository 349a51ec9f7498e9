#pragma once
// The frame a top-level window needs around the client area its layout gives it.

#include <windows.h>

namespace quarrow::app {

// The outer size of a window without a menu whose client area is `clientWidth` × `clientHeight`.
SIZE FrameSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

} // namespace quarrow::app
