#pragma once
// Placing a secondary window over the window that owns it: centred on the owner, but never partly off
// the owner's screen, so that a main window near a screen edge does not push its dialog out of reach.

#include <windows.h>

namespace quarrow::app {

// The top-left corner, in screen pixels, for a frame of `size` centred on `owner` and then moved the
// least distance that keeps it inside `workArea`. A frame larger than the work area keeps its top-left
// corner inside it, so that the caption stays reachable.
POINT CentredPosition(const RECT& owner, SIZE size, const RECT& workArea);

// The top-left corner for a frame of `size` centred on the window `owner` within the work area of the
// monitor that shows it; centred on that work area when the owner is minimised, and on the primary work
// area when there is no owner.
POINT CentredOnOwner(HWND owner, SIZE size);

} // namespace quarrow::app
