#pragma once
// How the toolbar strip divides its width among its three painted areas, and the two lines of the
// etched separator.

#include "ButtonGeometry.hpp"
#include "ColorMath.hpp"

#include <array>

namespace quarrow::controls {

inline constexpr int kLeftCapWidth = 9;
inline constexpr int kRightButtonWidth = 15;

struct ToolbarAreas {
    PixelBox left;  // the cap with the grip
    PixelBox grad;  // the middle of the strip
    PixelBox right; // the right-end button
};

// The cap at the left edge, the right-end button directly after the middle, the middle taking what
// the two leave (nothing on a strip narrower than both). Every area is the strip's full height.
ToolbarAreas LayoutToolbarAreas(int width, int height);

// A one-pixel vertical line over rows top…bottom − 1.
struct VerticalLine {
    int x;
    int top;
    int bottom;
    OleColor colour;

    friend bool operator==(const VerticalLine&, const VerticalLine&) = default;
};

// The separator's groove: a gray line down the left edge and a white one beside it, a pixel lower.
std::array<VerticalLine, 2> SeparatorLines(int height);

} // namespace quarrow::controls
