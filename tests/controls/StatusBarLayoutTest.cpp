#include "StatusBarLayout.hpp"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace quarrow::controls {
namespace {

// The main window's panels: "ICON" (8), "MAIN" (64, springs) and "VER" (100).
std::vector<PanelLayoutInput> MainWindowPanels() {
    return {
        {.minWidth = 8, .idealWidth = 12},
        {.minWidth = 64, .idealWidth = 64, .spring = true},
        {.minWidth = 100, .idealWidth = 100},
    };
}

TEST(StatusBarLayout, MainWindowPanelsOnA600By25Bar) {
    // Base edges 8, 72 and 172 + 12 (half of 25, truncated); "MAIN" takes the other 416 pixels.
    EXPECT_EQ(LayOutStatusPanels(MainWindowPanels(), PixelRect{0, 0, 600, 25}, 0),
              (std::vector<PixelRect>{{0, 0, 7, 25}, {8, 0, 487, 25}, {488, 0, 600, 25}}));
}

TEST(StatusBarLayout, NoPanelGrowsOnABarNarrowerThanTheWidths) {
    EXPECT_EQ(LayOutStatusPanels(MainWindowPanels(), PixelRect{0, 0, 150, 25}, 0),
              (std::vector<PixelRect>{{0, 0, 7, 25}, {8, 0, 71, 25}, {72, 0, 184, 25}}));
}

TEST(StatusBarLayout, TheFirstPanelCrossingTheRightEdgeIsCutAndDrawnLast) {
    auto rects = LayOutStatusPanels(MainWindowPanels(), PixelRect{0, 0, 150, 25}, 0);
    EXPECT_EQ(CutPanelsAtBarEnd(rects, 150), 3u);
    EXPECT_EQ(rects[2].right, 149);

    rects = LayOutStatusPanels(MainWindowPanels(), PixelRect{0, 0, 50, 25}, 0);
    EXPECT_EQ(CutPanelsAtBarEnd(rects, 50), 2u);
    EXPECT_EQ(rects[1], (PixelRect{8, 0, 49, 25}));

    rects = LayOutStatusPanels(MainWindowPanels(), PixelRect{0, 0, 600, 25}, 0);
    EXPECT_EQ(CutPanelsAtBarEnd(rects, 600), 3u) << "a last panel ending exactly at the edge is not cut";
    EXPECT_EQ(rects[2].right, 600);
}

TEST(StatusBarLayout, ASinglePanelTakesNoHalfHeightExtraAndSpringsToTheEdge) {
    const std::vector<PanelLayoutInput> one{{.minWidth = 40}};
    EXPECT_EQ(LayOutStatusPanels(one, PixelRect{0, 0, 30, 25}, 0)[0], (PixelRect{0, 0, 40, 25}));
    EXPECT_EQ(LayOutStatusPanels(one, PixelRect{0, 0, 300, 25}, 0)[0], (PixelRect{0, 0, 300, 25}));
}

TEST(StatusBarLayout, WithoutASpringPanelTheLastOneGrows) {
    const std::vector<PanelLayoutInput> panels{{.minWidth = 50}, {.minWidth = 50}};
    EXPECT_EQ(LayOutStatusPanels(panels, PixelRect{0, 0, 300, 20}, 0),
              (std::vector<PixelRect>{{0, 0, 49, 20}, {50, 0, 300, 20}}));
}

TEST(StatusBarLayout, TheHighestNumberedSpringPanelWins) {
    const std::vector<PanelLayoutInput> panels{
        {.minWidth = 10, .spring = true}, {.minWidth = 10, .spring = true}, {.minWidth = 10}};
    // Base edges 10, 20 and 35: the second panel takes the 165 pixels left over.
    EXPECT_EQ(LayOutStatusPanels(panels, PixelRect{0, 0, 200, 10}, 0),
              (std::vector<PixelRect>{{0, 0, 9, 10}, {10, 0, 184, 10}, {185, 0, 200, 10}}));
}

TEST(StatusBarLayout, AnIconWidensItsOwnPanelAndShiftsTheLaterOnes) {
    std::vector<PanelLayoutInput> panels{{.minWidth = 20, .hasIcon = true}, {.minWidth = 30}, {.minWidth = 40}};
    EXPECT_EQ(LayOutStatusPanels(panels, PixelRect{0, 0, 10, 20}, 16),
              (std::vector<PixelRect>{{0, 0, 35, 20}, {36, 0, 65, 20}, {66, 0, 116, 20}}));
}

TEST(StatusBarLayout, FitToContentsTakesTheIdealWidthInsteadOfTheMinimum) {
    std::vector<PanelLayoutInput> panels{{.minWidth = 20, .idealWidth = 70, .fitToContents = true},
                                         {.minWidth = 20, .idealWidth = 90}};
    EXPECT_EQ(LayOutStatusPanels(panels, PixelRect{0, 0, 10, 20}, 0),
              (std::vector<PixelRect>{{0, 0, 69, 20}, {70, 0, 100, 20}}));
}

TEST(StatusBarLayout, OffsetsMoveTheBarsLeftAndTopEdges) {
    EXPECT_EQ(LayOutStatusPanels(MainWindowPanels(), PixelRect{10, 4, 600, 25}, 0),
              (std::vector<PixelRect>{{10, 4, 17, 25}, {18, 4, 489, 25}, {490, 4, 600, 25}}))
        << "half of the height 21 is 10";
}

TEST(StatusBarLayout, NoPanelsGiveNoPlacements) {
    EXPECT_TRUE(LayOutStatusPanels({}, PixelRect{0, 0, 100, 20}, 16).empty());
    std::vector<PixelRect> none;
    EXPECT_EQ(CutPanelsAtBarEnd(none, 100), 0u);
}

TEST(StatusBarLayout, IdealWidthIsTheTextPlusPaddingButAtLeastTheMinimum) {
    EXPECT_EQ(IdealPanelWidth(172, 100), 184);
    EXPECT_EQ(IdealPanelWidth(30, 100), 100);
    EXPECT_EQ(IdealPanelWidth(0, 0), 12);
}

TEST(StatusBarLayout, IconsSitInTheMiddleOfTheFreeSpaceRoundedToEven) {
    // 25 high, 16-pixel icon: 7 pixels free, half is 3.5, which rounds to 4.
    EXPECT_EQ(PanelIconTop(PixelRect{0, 0, 50, 25}, 16, 1), 5);
    // 23 high: 5 free, 2.5 rounds to 2.
    EXPECT_EQ(PanelIconTop(PixelRect{0, 3, 50, 26}, 16, 2), 7);
    // An icon taller than the panel starts above it: -3 free, -1.5 rounds to -2.
    EXPECT_EQ(PanelIconTop(PixelRect{0, 0, 50, 15}, 16, 1), -1);
}

TEST(StatusBarLayout, HalfRoundedToEven) {
    const std::array<std::pair<int, int>, 9> cases{
        {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {5, 2}, {7, 4}, {-1, 0}, {-3, -2}, {-5, -2}}};
    for (const auto& [value, half] : cases) {
        EXPECT_EQ(HalfRoundedToEven(value), half) << value;
    }
}

} // namespace
} // namespace quarrow::controls
