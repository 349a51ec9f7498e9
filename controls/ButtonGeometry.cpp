#include "ButtonGeometry.hpp"

#include "ColorMath.hpp"

namespace quarrow::controls {

namespace {

constexpr int kBoxTop = 2;
constexpr int kCaptionInset = 5;
constexpr int kArrowTopRow = 6;
constexpr int kArrowCentreColumn = 7;
constexpr int kArrowRowWidths[] = {7, 5, 3, 1};

} // namespace

std::optional<PixelBox> FaceBoxFor(FaceMode mode, int width, int height) {
    switch (mode) {
    case FaceMode::Framed: return PixelBox{0, kBoxTop, width - 1, height - 5};
    case FaceMode::Open: return PixelBox{0, kBoxTop, width - 1, height + 1};
    case FaceMode::Plain:
    case FaceMode::Disabled: break;
    }
    return std::nullopt;
}

PixelEdges CaptionEdges(int width, int height, bool hasPicture) {
    const int left = hasPicture ? kButtonPictureOrigin.x + kButtonPictureSize + 4 : kCaptionInset;
    return PixelEdges{left, 0, width, height};
}

bool ArrowGlyphCovers(int x, int y) {
    const int row = y - kArrowTopRow;
    if (row < 0 || row >= static_cast<int>(std::size(kArrowRowWidths))) {
        return false;
    }
    const int halfWidth = kArrowRowWidths[row] / 2;
    return x >= kArrowCentreColumn - halfWidth && x <= kArrowCentreColumn + halfWidth;
}

PixelPoint ArrowGlyphOrigin(int width, int height) {
    return PixelPoint{width - kArrowGlyphSize, static_cast<int>(RoundHalfEven((height - kArrowGlyphSize) / 2.0))};
}

} // namespace quarrow::controls
