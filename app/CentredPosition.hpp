#pragma once
// Where a secondary window goes along each axis of the screen: centred on the window that owns it, but
// never partly off the owner's screen, so that a main window near a screen edge does not push its
// dialog out of reach. Plain arithmetic in screen pixels; CentredOnOwner asks the system for the spans.

#include <algorithm>

namespace quarrow::app {

// The start of a span of `length` centred on [first, last), then moved the least distance that keeps it
// inside [low, high). A span longer than that starts at `low`, so that the caption stays reachable.
constexpr long CentredStart(long first, long last, long length, long low, long high) {
    return std::max(low, std::min(first + (last - first - length) / 2, high - length));
}

} // namespace quarrow::app
