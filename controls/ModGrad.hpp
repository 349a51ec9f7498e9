#pragma once
// Painting routines the owner-drawn controls share: one-pixel lines and outlines, vertical two-colour
// gradients made of horizontal lines, a framed gradient box and a filled polygon, plus the colour
// calculations (MixColors, TranslateColor). Each routine creates and releases its own pens, brushes and
// regions and leaves the context's selections as it found them.

#include "ColorMath.hpp"

#include <windows.h>

#include <span>

namespace quarrow::controls {

// A solid one-pixel line from (x1, y1) towards (x2, y2); the end point itself is not painted.
void DrawLine(HDC dc, int x1, int y1, int x2, int y2, OleColor colour);

// The outline of columns x…x + width and rows y…y + height: width and height 1 paint a 2 × 2 square.
void DrawBox(HDC dc, int x, int y, int width, int height, OleColor colour);

// count + 1 horizontal lines from (left, top + i) to (right, top + i), the first exactly in `first`,
// the last exactly in `last`. A negative count paints nothing; a count of 0 paints the one first line.
void GradientFill(HDC dc, OleColor first, OleColor last, int left, int top, int right, int count);

// A gradient over height + 1 lines (the width serving as the right edge) framed by DrawBox.
void GradientBox(HDC dc, OleColor first, OleColor last, int x, int y, int width, int height, OleColor frame);

// The plain RGB value of a stored colour (system colours take their current value), or
// kUntranslatableColor when the system cannot translate it.
OleColor TranslateColor(OleColor colour);

// The polygon's outline in `outline`, then its inside (alternate filling) in the stock brush
// `stockBrush` (WHITE_BRUSH, BLACK_BRUSH, …). A polygon the system cannot make a region of is
// outlined only.
void FillPolygon(HDC dc, OleColor outline, int stockBrush, std::span<const POINT> points);

} // namespace quarrow::controls
