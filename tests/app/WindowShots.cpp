// Shows one of the program's secondary windows over a plain owner window, for scripts/window-screenshots
// to take its picture:  window_shots about | help
// The window closes by its close box, or by itself after a minute so that nothing lingers.

#include "dlgAbout.hpp"
#include "dlgHelp.hpp"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <string_view>

namespace {

constexpr wchar_t kOwnerClass[] = L"QuarrowWindowShotsOwner";
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMs = 60'000;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kGiveUpTimer) {
        quarrow::app::CloseAboutWindow(window);
        quarrow::app::CloseHelpWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A stand-in for the main window, as large as it and centred on the screen.
HWND CreateOwner() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = kOwnerClass;
    RegisterClassExW(&wc);
    RECT frame{0, 0, 633, 488};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    return CreateWindowExW(0, kOwnerClass, L"Quarrow window shots", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                           width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view which = argc == 2 ? argv[1] : L"";
    if (which != L"about" && which != L"help") {
        std::fputs("usage: window_shots about|help\n", stderr);
        return 2;
    }
    const HWND owner = CreateOwner();
    if (!owner) {
        std::fputs("window_shots: could not create the owner window\n", stderr);
        return 1;
    }
    SetTimer(owner, kGiveUpTimer, kGiveUpMs, nullptr);
    int result = 0;
    try {
        if (which == L"about") {
            quarrow::app::ShowAboutWindow(owner);
        } else {
            quarrow::app::ShowHelpWindow(owner);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_shots: %s\n", error.what());
        result = 1;
    }
    DestroyWindow(owner);
    return result;
}
