#include "CentredPlacement.hpp"

#include <algorithm>

namespace quarrow::app {

namespace {

// The start of a span of `length` centred on [first, last), moved into [low, high) where it fits, and
// to `low` where it does not.
LONG CentredStart(LONG first, LONG last, LONG length, LONG low, LONG high) {
    const LONG centred = first + (last - first - length) / 2;
    return std::max(low, std::min(centred, high - length));
}

RECT PrimaryWorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

RECT WorkAreaShowing(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return monitor.rcWork;
    }
    return PrimaryWorkArea();
}

} // namespace

POINT CentredPosition(const RECT& owner, SIZE size, const RECT& workArea) {
    return {CentredStart(owner.left, owner.right, size.cx, workArea.left, workArea.right),
            CentredStart(owner.top, owner.bottom, size.cy, workArea.top, workArea.bottom)};
}

POINT CentredOnOwner(HWND owner, SIZE size) {
    if (!owner || !IsWindow(owner)) {
        const RECT workArea = PrimaryWorkArea();
        return CentredPosition(workArea, size, workArea);
    }
    const RECT workArea = WorkAreaShowing(owner);
    RECT ownerFrame{};
    // A minimised owner has no frame on the screen to centre on; its monitor's work area stands in.
    if (IsIconic(owner) || !GetWindowRect(owner, &ownerFrame)) {
        ownerFrame = workArea;
    }
    return CentredPosition(ownerFrame, size, workArea);
}

} // namespace quarrow::app
