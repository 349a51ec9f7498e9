#include "ModGrad.hpp"

#include "Gdi.hpp"

#include <olectl.h>

#include <algorithm>
#include <climits>

namespace quarrow::controls {

using win32::SelectedObject;
using win32::UniquePen;
using win32::UniqueRegion;

namespace {

UniquePen SolidPen(OleColor colour) { return UniquePen(CreatePen(PS_SOLID, 1, colour)); }

} // namespace

void DrawLine(HDC dc, int x1, int y1, int x2, int y2, OleColor colour) {
    const UniquePen pen = SolidPen(colour);
    if (!pen) {
        return;
    }
    const SelectedObject selected(dc, pen.Get());
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void DrawBox(HDC dc, int x, int y, int width, int height, OleColor colour) {
    const UniquePen pen = SolidPen(colour);
    if (!pen) {
        return;
    }
    const SelectedObject selected(dc, pen.Get());
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + width, y);
    LineTo(dc, x + width, y + height);
    LineTo(dc, x, y + height);
    LineTo(dc, x, y);
}

void GradientFill(HDC dc, OleColor first, OleColor last, int left, int top, int right, int count) {
    if (count < 0) {
        return;
    }
    const VerticalGradient gradient(first, last, count);
    // Lines below the last representable row would only overflow the coordinate.
    const long long lastLine = std::min<long long>(count, static_cast<long long>(INT_MAX) - top);
    for (long long i = 0; i <= lastLine; ++i) {
        const int y = static_cast<int>(top + i);
        DrawLine(dc, left, y, right, y, gradient.LineColor(i));
    }
}

void GradientBox(HDC dc, OleColor first, OleColor last, int x, int y, int width, int height, OleColor frame) {
    GradientFill(dc, first, last, x, y, width, height);
    DrawBox(dc, x, y, width, height, frame);
}

OleColor TranslateColor(OleColor colour) {
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(colour, nullptr, &rgb))) {
        return kUntranslatableColor;
    }
    return rgb;
}

void FillPolygon(HDC dc, OleColor outline, int stockBrush, std::span<const POINT> points) {
    if (points.empty() || points.size() > INT_MAX) {
        return;
    }
    const int count = static_cast<int>(points.size());
    if (const UniquePen pen = SolidPen(outline)) {
        const SelectedObject selectedPen(dc, pen.Get());
        const SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Polygon(dc, points.data(), count);
    }
    const UniqueRegion region(CreatePolygonRgn(points.data(), count, ALTERNATE));
    const HGDIOBJ brush = GetStockObject(stockBrush);
    if (region && brush && GetObjectType(brush) == OBJ_BRUSH) {
        FillRgn(dc, region.Get(), static_cast<HBRUSH>(brush));
    }
}

} // namespace quarrow::controls
