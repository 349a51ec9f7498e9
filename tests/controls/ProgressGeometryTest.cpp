#include "ProgressGeometry.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace quarrow::controls {
namespace {

TEST(ProgressFraction, IsTheShareOfTheRangeHeldToZeroToOne) {
    struct Case {
        std::int32_t value, min, max;
        double fraction;
    };
    const Case cases[] = {
        {50, 0, 100, 0.5},
        {0, 0, 100, 0.0},
        {100, 0, 100, 1.0},
        {150, 0, 100, 1.0},
        {-5, 0, 100, 0.0},
        {15, 10, 20, 0.5},
        {3, 0, 4, 0.75},
        {-75, -100, 0, 0.25},
        {5, 10, 0, 0.5},
        {12, 10, 0, 0.0},
        {INT_MAX, INT_MIN, INT_MAX, 1.0},
        {0, INT_MIN, INT_MAX, static_cast<double>(-static_cast<long long>(INT_MIN)) / (2.0 * INT_MAX + 1)},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ProgressFraction(c.value, c.min, c.max), c.fraction)
            << c.value << " in " << c.min << "…" << c.max;
    }
}

TEST(ProgressFraction, AnEmptyRangeShowsAnEmptyBar) {
    EXPECT_EQ(ProgressFraction(0, 0, 0), 0.0);
    EXPECT_EQ(ProgressFraction(7, 3, 3), 0.0);
    EXPECT_EQ(ProgressPercent(-7, 3, 3), 0.0);
}

TEST(ProgressPercent, IsTheFractionTimesAHundred) {
    EXPECT_DOUBLE_EQ(ProgressPercent(1, 0, 3), 100.0 / 3.0);
    EXPECT_EQ(ProgressPercent(250, 0, 100), 100.0) << "a value above Max reports 100";
    EXPECT_EQ(ProgressPercent(-1, 0, 100), 0.0);
}

TEST(WorkingRect, ShrinksInsideTheBorder) {
    const PixelRect client{0, 0, 200, 20};
    EXPECT_EQ(WorkingRect(client, 0, 2, false), client) << "no border";
    EXPECT_EQ(WorkingRect(client, -1, 1, false), client);
    EXPECT_EQ(WorkingRect(client, 1, 0, false), (PixelRect{1, 1, 199, 19})) << "flat";
    EXPECT_EQ(WorkingRect(client, 1, 1, false), (PixelRect{1, 1, 199, 19})) << "thin 3-D";
    EXPECT_EQ(WorkingRect(client, 2, 2, false), (PixelRect{2, 2, 198, 18})) << "full 3-D edge";
    EXPECT_EQ(WorkingRect(client, 2, 2, true), (PixelRect{1, 1, 199, 19})) << "themed: always one pixel";
    EXPECT_EQ(WorkingRect(client, 3, 2, false), (PixelRect{2, 2, 198, 18})) << "any positive style has a border";
}

TEST(BarRect, HorizontalEdgeRoundsHalfToEven) {
    // Working widths 198, 199 and 201 put the half-way edge at 100, 100.5 and 101.5 (from left 1).
    EXPECT_EQ(BarRect({1, 1, 199, 19}, 0.5, true), (PixelRect{1, 1, 100, 19}));
    EXPECT_EQ(BarRect({1, 1, 200, 19}, 0.5, true), (PixelRect{1, 1, 100, 19})) << "100.5 goes to 100";
    EXPECT_EQ(BarRect({1, 1, 202, 19}, 0.5, true), (PixelRect{1, 1, 102, 19})) << "101.5 goes to 102";
    EXPECT_EQ(BarRect({1, 1, 199, 19}, 0.0, true), (PixelRect{1, 1, 1, 19}));
    EXPECT_EQ(BarRect({1, 1, 199, 19}, 1.0, true), (PixelRect{1, 1, 199, 19}));
}

TEST(BarRect, VerticalBarsFillFromTheBottom) {
    EXPECT_EQ(BarRect({1, 1, 19, 199}, 0.0, false), (PixelRect{1, 199, 19, 199}));
    EXPECT_EQ(BarRect({1, 1, 19, 199}, 1.0, false), (PixelRect{1, 1, 19, 199}));
    EXPECT_EQ(BarRect({1, 1, 19, 199}, 0.25, false), (PixelRect{1, 150, 19, 199})) << "0.75 × 198 + 1 = 149.5";
    EXPECT_EQ(BarRect({1, 1, 19, 200}, 0.5, false), (PixelRect{1, 100, 19, 200})) << "100.5 goes to 100";
}

TEST(BarRect, SnapsToWholeBlocks) {
    const PixelRect working{1, 1, 199, 19};
    // 0.04 × 198 + 1 = 8.92 → 9: less than one whole period from the left, so no block shows.
    EXPECT_EQ(BarRect(working, 0.04, true, kClassicSegments).right, 1);
    EXPECT_EQ(BarRect(working, 0.05, true, kClassicSegments).right, 11) << "10.9 → 11: one period";
    EXPECT_EQ(BarRect(working, 0.5, true, kClassicSegments).right, 91) << "100 → 91";
    EXPECT_EQ(BarRect(working, 1.0, true, kClassicSegments).right, 191) << "199 → 191";

    const PixelRect tall{1, 1, 19, 99};
    // 0.7 × 98 + 1 = 69.6 → 70, 29 above the bottom: moves down by 9 to a whole two periods.
    EXPECT_EQ(BarRect(tall, 0.3, false, kClassicSegments).top, 79);
    EXPECT_EQ(BarRect(tall, 0.05, false, kClassicSegments).top, 99) << "below one period: no block";
    EXPECT_EQ(BarRect(tall, 1.0, false, kClassicSegments).top, 9);
}

TEST(BarRect, ThemedSnappingUsesChunkPlusTwoSpaces) {
    const BlockSpacing themed = ThemedSpacing(6, 2);
    EXPECT_EQ(themed.step, 8);
    EXPECT_EQ(themed.Period(), 10);
    EXPECT_EQ(BarRect({1, 1, 199, 19}, 0.5, true, ThemedSpacing(5, 1)).right, 99) << "period 7: 99 − 1 = 98 = 14 × 7";
    EXPECT_EQ(BarRect({1, 1, 199, 19}, 0.5, true, ThemedSpacing(1, 0)).right, 100) << "period 1 snaps nothing";
    EXPECT_EQ(BarRect({1, 1, 199, 19}, 0.5, true, ThemedSpacing(0, 0)).right, 100)
        << "a style without block sizes must not divide by zero";
}

TEST(BarRect, NeverPassesTheStartOfAnInvertedWorkingArea) {
    // A control too small for its border leaves the working rectangle inside out.
    EXPECT_EQ(BarRect({2, 2, 1, 1}, 1.0, true).right, 2);
    EXPECT_EQ(BarRect({2, 2, 1, 1}, 1.0, false).top, 1);
}

TEST(SegmentGaps, HorizontalBlocksStartAtTheBarsLeft) {
    const PixelRect working{1, 1, 199, 19};
    const std::vector<PixelRect> gaps = SegmentGaps({1, 1, 31, 19}, working, true);
    EXPECT_EQ(gaps, (std::vector<PixelRect>{{9, 1, 11, 19}, {19, 1, 21, 19}, {29, 1, 31, 19}}));
    EXPECT_TRUE(SegmentGaps({1, 1, 1, 19}, working, true).empty());
    EXPECT_EQ(SegmentGaps({1, 1, 9, 19}, working, true).size(), 1u) << "an edge on the bar's end still counts";
}

TEST(SegmentGaps, VerticalBlocksEndAtTheBarsBottom) {
    const PixelRect working{1, 1, 19, 99};
    const std::vector<PixelRect> gaps = SegmentGaps({1, 69, 19, 99}, working, false);
    // Gap tops at 99, 89 and 79; 69 is above the bar's top + 8 and ends the run.
    EXPECT_EQ(gaps, (std::vector<PixelRect>{{1, 99, 19, 101}, {1, 89, 19, 91}, {1, 79, 19, 81}}));
    EXPECT_TRUE(SegmentGaps({1, 99, 19, 99}, working, false).empty()) << "an empty bar has no gaps";
}

TEST(ThemedChunkRect, IsTheBarTwoInThenOneWider) {
    EXPECT_EQ(ThemedChunkRect({1, 1, 30, 19}), (PixelRect{3, 3, 29, 18}));
    EXPECT_TRUE(ThemedChunkRect({1, 1, 3, 19}).IsEmpty());
}

std::vector<Tile> TilesOf(const PixelRect& area, int sourceWidth, int sourceHeight) {
    std::vector<Tile> tiles;
    ForEachTile(area, sourceWidth, sourceHeight, [&](const Tile& t) { tiles.push_back(t); });
    return tiles;
}

TEST(ForEachTile, IsAlignedToTheSurfaceOriginAndCutAtTheEdges) {
    // A 4 × 3 picture over (5, 2)…(12, 7): columns start at source 5 mod 4 = 1, rows at 2 mod 3 = 2.
    EXPECT_EQ(TilesOf({5, 2, 12, 7}, 4, 3), (std::vector<Tile>{
                                                {5, 2, 3, 1, 1, 2},
                                                {8, 2, 4, 1, 0, 2}, // cut row from source row 2
                                                {5, 3, 3, 3, 1, 0},
                                                {8, 3, 4, 3, 0, 0}, // whole row
                                                {5, 6, 3, 1, 1, 0},
                                                {8, 6, 4, 1, 0, 0}, // cut at the bottom
                                            }));
    EXPECT_EQ(TilesOf({0, 0, 6, 2}, 4, 2), (std::vector<Tile>{{0, 0, 4, 2, 0, 0}, {4, 0, 2, 2, 0, 0}}))
        << "cut at the right";
}

TEST(ForEachTile, NegativeOriginsStillAlignAndEmptyInputsHaveNoTiles) {
    // Source column and row −1 mod 4 = 3: one pixel of the picture's last column and row comes first.
    EXPECT_EQ(TilesOf({-1, -1, 2, 1}, 4, 4),
              (std::vector<Tile>{{-1, -1, 1, 1, 3, 3}, {0, -1, 2, 1, 0, 3}, {-1, 0, 1, 1, 3, 0}, {0, 0, 2, 1, 0, 0}}));
    EXPECT_TRUE(TilesOf({0, 0, 0, 10}, 4, 4).empty());
    EXPECT_TRUE(TilesOf({0, 0, 10, 10}, 0, 4).empty());
    EXPECT_TRUE(TilesOf({0, 0, 10, 10}, 4, -1).empty());
}

} // namespace
} // namespace quarrow::controls
