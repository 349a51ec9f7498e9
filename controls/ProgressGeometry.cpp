#include "ProgressGeometry.hpp"

#include "ColorMath.hpp"

#include <algorithm>

namespace quarrow::controls {

namespace {

// Where a fraction of the way from `from` to `to` lands, rounded half to even.
int EdgeAt(double fraction, int from, int to) {
    return static_cast<int>(RoundHalfEven(fraction * (static_cast<double>(to) - from) + from));
}

// The remainder after whole periods, truncated toward zero as integer division does, so that a
// negative distance (a vertical bar measured from its bottom) snaps towards the bottom.
int PartialPeriod(int distance, std::optional<BlockSpacing> snap) {
    if (!snap || snap->Period() <= 0) {
        return 0; // a style reporting no block size has nothing to snap to
    }
    return distance % snap->Period();
}

// a mod b for a > 0, never negative.
int FloorMod(int a, int b) {
    const int r = a % b;
    return r < 0 ? r + b : r;
}

} // namespace

double ProgressFraction(std::int32_t value, std::int32_t min, std::int32_t max) {
    if (max == min) {
        return 0.0;
    }
    // In doubles: the differences of two 32-bit values may not fit in 32 bits.
    const double fraction = (static_cast<double>(value) - min) / (static_cast<double>(max) - min);
    return std::clamp(fraction, 0.0, 1.0);
}

double ProgressPercent(std::int32_t value, std::int32_t min, std::int32_t max) {
    return ProgressFraction(value, min, max) * 100.0;
}

PixelRect WorkingRect(const PixelRect& client, std::int32_t borderStyle, std::int32_t appearance, bool themed) {
    if (borderStyle <= 0) {
        return client;
    }
    const int inset = !themed && appearance == 2 ? 2 : 1;
    return {client.left + inset, client.top + inset, client.right - inset, client.bottom - inset};
}

PixelRect BarRect(const PixelRect& working, double fraction, bool horizontal, std::optional<BlockSpacing> snap) {
    PixelRect bar = working;
    if (horizontal) {
        int right = EdgeAt(fraction, working.left, working.right);
        right -= PartialPeriod(right - bar.left, snap);
        bar.right = std::max(right, working.left);
    } else {
        int top = EdgeAt(1.0 - fraction, working.top, working.bottom);
        top -= PartialPeriod(top - bar.bottom, snap);
        bar.top = std::min(top, working.bottom);
    }
    return bar;
}

std::vector<PixelRect> SegmentGaps(const PixelRect& bar, const PixelRect& working, bool horizontal) {
    const int step = kClassicSegments.step;
    const int gap = kClassicSegments.gap;
    const int period = kClassicSegments.Period();
    std::vector<PixelRect> gaps;
    if (horizontal) {
        for (long long x = bar.left + static_cast<long long>(step); x <= bar.right; x += period) {
            const int left = static_cast<int>(x);
            gaps.push_back({left, working.top, left + gap, working.bottom});
        }
    } else {
        for (long long y = bar.bottom; y >= bar.top + static_cast<long long>(step); y -= period) {
            const int top = static_cast<int>(y);
            gaps.push_back({working.left, top, working.right, top + gap});
        }
    }
    return gaps;
}

PixelRect ThemedChunkRect(const PixelRect& bar) {
    return {bar.left + 2, bar.top + 2, bar.right - 2 + 1, bar.bottom - 2 + 1};
}

void ForEachTile(const PixelRect& area, int sourceWidth, int sourceHeight,
                 const std::function<void(const Tile&)>& copy) {
    if (area.IsEmpty() || sourceWidth < 1 || sourceHeight < 1) {
        return;
    }
    int sourceY = FloorMod(area.top, sourceHeight);
    for (int y = area.top; y < area.bottom;) {
        const int height = std::min(sourceHeight - sourceY, area.bottom - y);
        int sourceX = FloorMod(area.left, sourceWidth);
        for (int x = area.left; x < area.right;) {
            const int width = std::min(sourceWidth - sourceX, area.right - x);
            copy({x, y, width, height, sourceX, sourceY});
            x += width;
            sourceX = 0;
        }
        y += height;
        sourceY = 0;
    }
}

} // namespace quarrow::controls
