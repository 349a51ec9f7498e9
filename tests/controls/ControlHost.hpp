#pragma once
// A visible top-level window at a known place on the screen to put controls on, and the real pointer
// and mouse buttons to work them with (SetCursorPos and SendInput reach the display the tests run on).

#include "Gdi.hpp"
#include "Window.hpp"

#include <windows.h>

#include <functional>
#include <string>

namespace quarrow::testing {

// Dispatches messages for `ms` milliseconds, so that timers tick and paints happen.
inline void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(2);
    }
}

// Dispatches messages until `done` holds or `ms` milliseconds have passed; answers `done()`. The limit
// is generous: a busy machine may take seconds to deliver a paint, and a condition that holds ends it.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms = 30000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done() && GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(2);
    }
    return done();
}

// Destroying a visible top-level window takes Wine two seconds under Xvfb, so a test program keeps
// one host for all its tests (SharedHost) and puts its controls on that.
class ControlHost : public win32::Window {
public:
    static constexpr COLORREF kBackground = RGB(30, 160, 90);

    ControlHost(int x = 40, int y = 40, int width = 700, int height = 200) : brush_(CreateSolidBrush(kBackground)) {
        RegisterWindowClass(L"QuarrowTestControlHost", 0, brush_.Get());
        CreateHandle(WS_EX_TOPMOST, L"QuarrowTestControlHost", L"host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                     width, height, nullptr);
        SetForegroundWindow(Handle());
        PumpFor(30);
    }
    ~ControlHost() override { DestroyHandle(); }

private:
    win32::UniqueBrush brush_;
};

inline ControlHost& SharedHost() {
    static ControlHost host;
    return host;
}

// The screen position of (x, y) in `window`'s client area.
inline POINT OnScreen(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    return at;
}

inline void MovePointerTo(POINT at) { SetCursorPos(at.x, at.y); }

// Presses or releases mouse buttons where the pointer is (MOUSEEVENTF_LEFTDOWN and the like).
inline void SendMouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// The colour on the screen at `at`.
inline COLORREF ScreenPixel(POINT at) {
    const win32::WindowDC screen(nullptr);
    return GetPixel(screen.Get(), at.x, at.y);
}

// The area (left, top)…(right, bottom) of `dc`, inclusive, one text line per row with one character per
// pixel from `name`, for comparing painted shapes with a drawing.
inline std::string RenderArea(HDC dc, int left, int top, int right, int bottom,
                              const std::function<char(COLORREF)>& name) {
    std::string rows;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            rows += name(GetPixel(dc, x, y));
        }
        rows += '\n';
    }
    return rows;
}

} // namespace quarrow::testing
