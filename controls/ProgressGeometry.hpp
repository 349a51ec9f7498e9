#pragma once
// Where the progress bar puts its pixels: the filled fraction, the working rectangle inside the border,
// the bar's end (rounded half to even, snapped to whole blocks when the bar is segmented or themed),
// the gaps between segments and the tiles of a tiled picture. Plain arithmetic, free of the system, so
// that every edge is tested natively; the control's paint routine only draws what these return.

#include "PixelRect.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quarrow::controls {

// How far the bar is filled, 0…1: (value − min) / (max − min), held to the range. An empty range
// (max equal to min) has no meaningful fraction; it shows an empty bar rather than failing.
double ProgressFraction(std::int32_t value, std::int32_t min, std::int32_t max);

// The fraction as a percentage, 0…100.
double ProgressPercent(std::int32_t value, std::int32_t min, std::int32_t max);

// A control wider than tall fills from left to right; any other fills from the bottom up.
constexpr bool IsHorizontal(int width, int height) { return width > height; }

// The spacing of a segmented bar: blocks repeat every `step` + `gap` pixels.
struct BlockSpacing {
    int step = 0;
    int gap = 0;

    int Period() const { return step + gap; }
};

// The classic segmented bar: blocks of 8 pixels with gaps of 2.
inline constexpr BlockSpacing kClassicSegments{8, 2};

// The visual style's spacing from its chunk and space sizes. The style's step already holds one
// space, so its period is chunk + 2 × space.
constexpr BlockSpacing ThemedSpacing(int chunkSize, int spaceSize) { return {chunkSize + spaceSize, spaceSize}; }

// The area inside the border: 1 pixel in on every side for a border (2 for the full 3-D edge, which
// the themed look does not draw), none when there is no border (borderStyle 0 or below).
PixelRect WorkingRect(const PixelRect& client, std::int32_t borderStyle, std::int32_t appearance, bool themed);

// The filled part of the working rectangle. Its moving edge (right, or top for a vertical bar) is
// fraction × extent from the start, rounded half to even, then moved back to a whole number of
// block periods when `snap` is given; it never passes the start of the working rectangle.
PixelRect BarRect(const PixelRect& working, double fraction, bool horizontal,
                  std::optional<BlockSpacing> snap = std::nullopt);

// The 2-pixel gaps of a classic segmented bar, across the whole working rectangle. Horizontal blocks
// start at the bar's left, vertical ones end at its bottom. The caller clips them to the bar.
std::vector<PixelRect> SegmentGaps(const PixelRect& bar, const PixelRect& working, bool horizontal);

// The rectangle the visual style's chunk is drawn into: the bar 2 pixels in on every side, then
// 1 pixel wider and taller.
PixelRect ThemedChunkRect(const PixelRect& bar);

// One block copy of a tiled picture: `width` × `height` pixels from (sourceX, sourceY) of the picture
// to (x, y).
struct Tile {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int sourceX = 0;
    int sourceY = 0;
    friend bool operator==(const Tile&, const Tile&) = default;
};

// Visits the tiles that cover `area` with a sourceWidth × sourceHeight picture, row by row and column
// by column. The tiling is aligned to the surface origin, so the first column starts at source column
// area.left mod sourceWidth and the first row at area.top mod sourceHeight; the last tiles are cut to
// the area. An empty area or picture has no tiles.
void ForEachTile(const PixelRect& area, int sourceWidth, int sourceHeight,
                 const std::function<void(const Tile&)>& copy);

} // namespace quarrow::controls
