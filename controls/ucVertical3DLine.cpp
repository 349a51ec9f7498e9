#include "ucVertical3DLine.hpp"

#include "Gdi.hpp"
#include "ModGrad.hpp"
#include "Twips.hpp"

#include <stdexcept>

namespace quarrow::controls {

namespace {

constexpr wchar_t kClassName[] = L"QuarrowVertical3DLine";
constexpr int kWidthTwips = 90;

int SeparatorWidth() { return win32::TwipsToPixelsX(kWidthTwips); }

// The window's shape: the pixels of the two lines and nothing else.
win32::UniqueRegion LinesRegion(const std::array<VerticalLine, 2>& lines) {
    win32::UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    for (const VerticalLine& line : lines) {
        const win32::UniqueRegion column(CreateRectRgn(line.x, line.top, line.x + 1, line.bottom));
        if (shape && column) {
            CombineRgn(shape.Get(), shape.Get(), column.Get(), RGN_OR);
        }
    }
    return shape;
}

} // namespace

ucVertical3DLine::ucVertical3DLine(HWND parent, int x, int y, int height) {
    RegisterWindowClass(kClassName, 0);
    CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, SeparatorWidth(), height, parent);
    if (!Handle()) {
        throw std::runtime_error("the separator window could not be created");
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    OnResize(client.right, client.bottom);
}

ucVertical3DLine::~ucVertical3DLine() { DestroyHandle(); }

void ucVertical3DLine::OnResize(int width, int height) {
    const int fixedWidth = SeparatorWidth();
    if (width != fixedWidth) {
        SetWindowPos(Handle(), nullptr, 0, 0, fixedWidth, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    lines_ = SeparatorLines(height);
    win32::UniqueRegion shape = LinesRegion(lines_);
    // The window owns its region once it has accepted it.
    if (shape && SetWindowRgn(Handle(), shape.Get(), TRUE)) {
        shape.Detach();
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ucVertical3DLine::OnPaint(HDC dc) {
    for (const VerticalLine& line : lines_) {
        DrawLine(dc, line.x, line.top, line.x, line.bottom, line.colour);
    }
}

LRESULT ucVertical3DLine::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        OnResize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return PaintedWindow::HandleMessage(message, wParam, lParam);
}

} // namespace quarrow::controls
