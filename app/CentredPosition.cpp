#include "CentredPosition.hpp"

#include <algorithm>

namespace quarrow::app {

namespace {

// The start of a span of `length` centred on [first, last), moved into [low, high) where it fits, and
// to `low` where it does not.
long CentredStart(long first, long last, long length, long low, long high) {
    const long centred = first + (last - first - length) / 2;
    return std::max(low, std::min(centred, high - length));
}

} // namespace

ScreenPoint CentredPosition(const ScreenRect& owner, long width, long height, const ScreenRect& workArea) {
    return {CentredStart(owner.left, owner.right, width, workArea.left, workArea.right),
            CentredStart(owner.top, owner.bottom, height, workArea.top, workArea.bottom)};
}

} // namespace quarrow::app
