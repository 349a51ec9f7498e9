#include "ToolbarArt.hpp"

namespace quarrow::controls {

namespace {
constexpr OleColor kWhite = RgbColor(255, 255, 255);
constexpr int kGripDots = 4;
} // namespace

std::vector<PixelPaint> LeftCapCornerPixels(int height, OleColor host, const SchemeColors& colors) {
    const int h = height;
    const OleColor topHighlight = MixColors(kWhite, colors.faceTop);
    const OleColor bottomShadow = MixColors(colors.dark, colors.faceBottom);
    const OleColor bottomBlend = MixColors(host, colors.faceBottom);
    return {
        {0, 0, host},
        {0, h - 1, host},
        {0, h - 2, host},
        {1, h - 1, host},
        {1, 0, topHighlight},
        {0, 1, topHighlight},
        {1, h - 3, bottomShadow},
        {0, h - 3, bottomBlend},
        {1, h - 2, bottomBlend},
    };
}

std::vector<PixelPaint> RightButtonCornerPixels(int width, int height, OleColor host, OleColor top, OleColor bottom) {
    const int w = width;
    const int h = height;
    const OleColor topBlend = MixColors(host, top);
    const OleColor bottomBlend = MixColors(host, bottom);
    return {
        {w - 1, 0, host},
        {w - 1, h - 1, host},

        {w - 2, 0, topBlend},
        {w - 1, 1, topBlend},
        {0, 0, topBlend},
        {1, 1, topBlend},
        {1, 0, top},

        {w - 2, h - 1, bottomBlend},
        {w - 1, h - 2, bottomBlend},
        {0, h - 1, bottomBlend},
        {1, h - 2, bottomBlend},
        {1, h - 1, bottom},
    };
}

std::vector<PixelPoint> GripDotOrigins() {
    std::vector<PixelPoint> origins;
    for (int i = 0; i < kGripDots; ++i) {
        origins.push_back({4, 4 + 4 * i});
    }
    return origins;
}

} // namespace quarrow::controls
