#pragma once
// Where a secondary window goes: centred on the window that owns it, but never partly off the owner's
// screen, so that a main window near a screen edge does not push its dialog out of reach. Plain
// arithmetic in screen pixels; CentredOnOwner asks the system for the rectangles.

namespace quarrow::app {

struct ScreenRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

struct ScreenPoint {
    long x = 0;
    long y = 0;
};

// The top-left corner for a frame of `width` × `height` centred on `owner` and then moved the least
// distance that keeps it inside `workArea`. A frame larger than the work area keeps its top-left corner
// inside it, so that the caption stays reachable.
ScreenPoint CentredPosition(const ScreenRect& owner, long width, long height, const ScreenRect& workArea);

} // namespace quarrow::app
