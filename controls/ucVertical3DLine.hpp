#pragma once
// The etched vertical separator placed between groups of toolbar buttons: a gray line down its left
// edge and a white one beside it, a pixel lower. It is always 90 twips wide and as high as it is
// placed; only the two lines belong to it, so whatever lies behind shows around them.

#include "ToolbarLayout.hpp"
#include "PaintedWindow.hpp"

#include <windows.h>

#include <array>

namespace quarrow::controls {

class ucVertical3DLine : public win32::PaintedWindow {
public:
    // Creates the separator as a child of `parent` at (x, y), `height` pixels high. Throws when the
    // system cannot create its window.
    ucVertical3DLine(HWND parent, int x, int y, int height);
    ~ucVertical3DLine() override;

    // The two lines as they stand, index 0 the gray one.
    const std::array<VerticalLine, 2>& Line1() const { return lines_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The lines cover the whole window, whose shape is the lines.
    void OnPaint(HDC dc) override;

private:
    void OnResize(int width, int height);

    std::array<VerticalLine, 2> lines_ = SeparatorLines(0);
};

} // namespace quarrow::controls
