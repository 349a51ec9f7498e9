#pragma once
// The small always-on-top window that the stories' helper programs (drag_files, drop_files) show, at a
// place clear of the program's window, and the loop that runs it until it is destroyed.

#include <windows.h>

namespace quarrow::testing {

// A borderless window of its own class, named `caption`, with `data` as its creation parameter; null
// when the system refuses it.
inline HWND CreateHelperWindow(HINSTANCE instance, const wchar_t* caption, WNDPROC procedure, RECT at, void* data) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = caption;
    if (RegisterClassW(&windowClass) == 0) {
        return nullptr;
    }
    return CreateWindowExW(WS_EX_TOPMOST, caption, caption, WS_POPUP | WS_VISIBLE | WS_BORDER, at.left, at.top,
                           at.right - at.left, at.bottom - at.top, nullptr, nullptr, instance, data);
}

inline void RunUntilQuit() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
}

} // namespace quarrow::testing
