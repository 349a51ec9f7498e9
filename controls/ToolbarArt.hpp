#pragma once
// The single pixels that round the toolbar strip's corners, where the host's background and the
// strip's colours meet. Worked out away from the painting so that every colour can be checked.

#include "ButtonGeometry.hpp"
#include "ToolbarSchemes.hpp"

#include <vector>

namespace quarrow::controls {

struct PixelPaint {
    int x;
    int y;
    OleColor colour;

    friend bool operator==(const PixelPaint&, const PixelPaint&) = default;
};

// The left cap's corners, H pixels high, against the host colour `host`.
std::vector<PixelPaint> LeftCapCornerPixels(int height, OleColor host, const SchemeColors& colors);

// The right-end button's corners, W × H, against `host`, for a button painted from `top` to `bottom`.
std::vector<PixelPaint> RightButtonCornerPixels(int width, int height, OleColor host, OleColor top, OleColor bottom);

// The grip: four dots down the cap, each a dark 2 × 2 square with a white one a pixel below and to the
// right of it, which the dark one overlaps. The upper left corners of the dark squares.
std::vector<PixelPoint> GripDotOrigins();

} // namespace quarrow::controls
