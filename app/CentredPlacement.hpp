#pragma once
// Placing a secondary window over the window that owns it, as CentredPosition reckons it, on the screen
// that shows the owner.

#include <windows.h>

namespace quarrow::app {

// The top-left corner for a frame of `size` centred on the window `owner` within the work area of the
// monitor that shows it; centred on that work area when the owner is minimised, and on the primary work
// area when there is no owner.
POINT CentredOnOwner(HWND owner, SIZE size);

} // namespace quarrow::app
