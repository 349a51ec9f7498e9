#include "ToolbarLayout.hpp"

#include <algorithm>

namespace quarrow::controls {

ToolbarAreas LayoutToolbarAreas(int width, int height) {
    const PixelBox left{0, 0, kLeftCapWidth, height};
    const int gradWidth = std::max(0, width - kLeftCapWidth - kRightButtonWidth);
    const PixelBox grad{left.x + left.width, 0, gradWidth, height};
    const PixelBox right{grad.x + grad.width, 0, kRightButtonWidth, height};
    return {left, grad, right};
}

std::array<VerticalLine, 2> SeparatorLines(int height) {
    return {VerticalLine{0, 0, height, RgbColor(128, 128, 128)}, VerticalLine{1, 1, height, RgbColor(255, 255, 255)}};
}

} // namespace quarrow::controls
