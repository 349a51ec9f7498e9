#include "CentredPlacement.hpp"

#include "CentredPosition.hpp"

namespace quarrow::app {

namespace {

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

POINT CentredOn(const RECT& owner, SIZE size, const RECT& workArea) {
    return {CentredStart(owner.left, owner.right, size.cx, workArea.left, workArea.right),
            CentredStart(owner.top, owner.bottom, size.cy, workArea.top, workArea.bottom)};
}

} // namespace

POINT CentredOnOwner(HWND owner, SIZE size) {
    if (!owner || !IsWindow(owner)) {
        const RECT workArea = PrimaryWorkArea();
        return CentredOn(workArea, size, workArea);
    }
    const RECT workArea = WorkAreaShowing(owner);
    RECT ownerFrame{};
    // A minimised owner has no frame on the screen to centre on; its monitor's work area stands in.
    if (IsIconic(owner) || !GetWindowRect(owner, &ownerFrame)) {
        ownerFrame = workArea;
    }
    return CentredOn(ownerFrame, size, workArea);
}

} // namespace quarrow::app
