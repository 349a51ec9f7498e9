#pragma once
// Where the pieces of the toolbar button go on its face, in pixels of a face W wide and H high, and the
// drop-down arrow glyph.

#include "ButtonStateMachine.hpp"

#include <optional>

namespace quarrow::controls {

// A rectangle as the painting routines take it: the origin and a width and height.
struct PixelBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// A rectangle as text drawing takes it: edges, right and bottom excluded.
struct PixelEdges {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const PixelEdges&, const PixelEdges&) = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

inline constexpr int kButtonPictureSize = 16;
inline constexpr PixelPoint kButtonPictureOrigin{5, 5};

// The framed or open box drawn over the face's gradient; nothing for the plain and disabled faces. A
// framed box covers rows 2 to H − 3; an open one runs below the face, so only its top and sides show.
std::optional<PixelBox> FaceBoxFor(FaceMode mode, int width, int height);

// The caption's rectangle: beside the picture when there is one.
PixelEdges CaptionEdges(int width, int height, bool hasPicture);

// The arrow glyph: 16 × 16, a black triangle whose rows 6 to 9 are 7, 5, 3 and 1 pixels wide, centred
// on column 7; every other pixel is transparent.
inline constexpr int kArrowGlyphSize = 16;
bool ArrowGlyphCovers(int x, int y);

// Where the glyph goes: flush with the right edge, centred vertically (a half pixel rounds to even).
PixelPoint ArrowGlyphOrigin(int width, int height);

} // namespace quarrow::controls
