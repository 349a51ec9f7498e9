#pragma once
// A host window for progress bars under test, and a way to read what a bar paints: the bar prints its
// client area into a 32-bit DIB section through WM_PRINTCLIENT, the path WM_PAINT shares.

#include "DibCanvas.hpp"
#include "Window.hpp"
#include "lumoProgressBar.hpp"

#include <uxtheme.h>
#include <windows.h>

#include <memory>
#include <string>

namespace quarrow::testing {

class BarHost : public win32::Window {
public:
    BarHost() {
        RegisterWindowClass(L"QuarrowTestProgressHost");
        CreateHandle(0, L"QuarrowTestProgressHost", L"progress host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400,
                     300, nullptr);
    }
    ~BarHost() override { DestroyHandle(); }

    // A bar of the given client size at the host's origin, in the classic look unless asked otherwise.
    std::unique_ptr<controls::lumoProgressBar> MakeBar(int width, int height) const {
        return std::make_unique<controls::lumoProgressBar>(Handle(), 0, 0, width, height);
    }
};

// What the bar paints, read back from a canvas of the bar's size.
inline void PrintInto(const controls::lumoProgressBar& bar, DibCanvas& canvas) {
    SendMessageW(bar.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
}

// Whether the visual style's progress bar can be drawn here (it can under Wine 8 and on Windows with
// styles on).
inline bool ProgressStyleAvailable(HWND window) {
    const HTHEME theme = OpenThemeData(window, L"Progress");
    if (!theme) {
        return false;
    }
    CloseThemeData(theme);
    return true;
}

// One character per pixel of a row, for comparing a painted row with a drawing: `a` for colour `ca`,
// `b` for colour `cb`, '?' for anything else.
inline std::string RowPattern(const DibCanvas& canvas, int y, int fromX, int toX, COLORREF ca, char a, COLORREF cb,
                              char b) {
    std::string pattern;
    for (int x = fromX; x <= toX; ++x) {
        const COLORREF c = canvas.Pixel(x, y);
        pattern += c == ca ? a : c == cb ? b : '?';
    }
    return pattern;
}

inline std::string ColumnPattern(const DibCanvas& canvas, int x, int fromY, int toY, COLORREF ca, char a, COLORREF cb,
                                 char b) {
    std::string pattern;
    for (int y = fromY; y <= toY; ++y) {
        const COLORREF c = canvas.Pixel(x, y);
        pattern += c == ca ? a : c == cb ? b : '?';
    }
    return pattern;
}

} // namespace quarrow::testing
