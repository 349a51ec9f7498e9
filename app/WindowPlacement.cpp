#include "WindowPlacement.hpp"

#include <algorithm>

namespace quarrow::app {

namespace {

POINT CentredIn(const RECT& area, SIZE size) {
    return POINT{area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        return monitor.rcWork;
    }
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

} // namespace

SIZE FrameSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

POINT CentredOnScreen(SIZE size) { return CentredIn(WorkAreaOf(nullptr), size); }

POINT CentredOn(HWND owner, SIZE size) {
    RECT ownerRect{};
    if (!owner || !GetWindowRect(owner, &ownerRect)) {
        return CentredOnScreen(size);
    }
    POINT at = CentredIn(ownerRect, size);
    const RECT work = WorkAreaOf(owner);
    at.x = std::max(work.left, std::min(at.x, work.right - size.cx));
    at.y = std::max(work.top, std::min(at.y, work.bottom - size.cy));
    return at;
}

} // namespace quarrow::app
