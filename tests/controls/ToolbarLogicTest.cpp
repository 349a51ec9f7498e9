#include "ButtonGeometry.hpp"
#include "ToolbarArt.hpp"
#include "ToolbarLayout.hpp"
#include "ToolbarRightButton.hpp"
#include "ToolbarSchemes.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quarrow::controls {
namespace {

TEST(ToolbarSchemes, ThemeColorNamesASchemeOrFallsBackToSilver) {
    EXPECT_EQ(SchemeForThemeColor(0), ColorScheme::Blue);
    EXPECT_EQ(SchemeForThemeColor(1), ColorScheme::Silver);
    EXPECT_EQ(SchemeForThemeColor(2), ColorScheme::Olive);
    EXPECT_EQ(SchemeForThemeColor(3), ColorScheme::Olive);
    for (const std::int32_t other : {4, 5, -1, 0x7FFFFFFF}) {
        EXPECT_EQ(SchemeForThemeColor(other), ColorScheme::Silver) << other;
    }
}

TEST(ToolbarSchemes, OnlyTheBlueAndOliveLunaStylesGiveTheirSchemes) {
    EXPECT_EQ(SchemeForVisualStyle(true, L"NormalColor"), ColorScheme::Blue);
    EXPECT_EQ(SchemeForVisualStyle(true, L"HomeStead"), ColorScheme::Olive);
    EXPECT_EQ(SchemeForVisualStyle(true, L"Metallic"), ColorScheme::Silver);
    EXPECT_EQ(SchemeForVisualStyle(true, L"Blue"), ColorScheme::Silver);
    EXPECT_EQ(SchemeForVisualStyle(true, L"Classic"), ColorScheme::Silver);
    EXPECT_EQ(SchemeForVisualStyle(true, L"normalcolor"), ColorScheme::Silver);
    EXPECT_EQ(SchemeForVisualStyle(false, L"NormalColor"), ColorScheme::Silver) << "no visual styles";
    EXPECT_EQ(SchemeForVisualStyle(false, L"HomeStead"), ColorScheme::Silver);
}

TEST(ButtonGeometry, TheArrowGlyphIsATriangleOfSevenFiveThreeAndOnePixels) {
    std::string drawn;
    for (int y = 5; y <= 10; ++y) {
        for (int x = 0; x < kArrowGlyphSize; ++x) {
            drawn += ArrowGlyphCovers(x, y) ? '#' : '.';
        }
        drawn += '\n';
    }
    EXPECT_EQ(drawn, "................\n"
                     "....#######.....\n"
                     ".....#####......\n"
                     "......###.......\n"
                     ".......#........\n"
                     "................\n");
    int covered = 0;
    for (int y = -1; y <= kArrowGlyphSize; ++y) {
        for (int x = -1; x <= kArrowGlyphSize; ++x) {
            covered += ArrowGlyphCovers(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(covered, 16);
}

TEST(ButtonGeometry, TheArrowIsFlushRightAndVerticallyCentred) {
    EXPECT_EQ(ArrowGlyphOrigin(89, 25), (PixelPoint{73, 4})) << "4.5 rounds to the even 4";
    EXPECT_EQ(ArrowGlyphOrigin(89, 27), (PixelPoint{73, 6})) << "5.5 rounds to the even 6";
    EXPECT_EQ(ArrowGlyphOrigin(40, 26), (PixelPoint{24, 5}));
}

TEST(ToolbarLayout, TheMiddleTakesWhatTheCapAndTheRightButtonLeave) {
    const ToolbarAreas areas = LayoutToolbarAreas(633, 26);
    EXPECT_EQ(areas.left, (PixelBox{0, 0, 9, 26}));
    EXPECT_EQ(areas.grad, (PixelBox{9, 0, 609, 26}));
    EXPECT_EQ(areas.right, (PixelBox{618, 0, 15, 26})) << "the right-end button ends at the right edge";
}

TEST(ToolbarLayout, AStripNarrowerThanItsEndsHasNoMiddle) {
    const ToolbarAreas areas = LayoutToolbarAreas(20, 26);
    EXPECT_EQ(areas.grad.width, 0);
    EXPECT_EQ(areas.right.x, 9);
    EXPECT_EQ(LayoutToolbarAreas(24, 26).grad.width, 0);
    EXPECT_EQ(LayoutToolbarAreas(25, 26).right.x, 10);
}

TEST(ToolbarArt, TheRightButtonsCornersAreRoundedAgainstTheHost) {
    const OleColor host = RgbColor(0, 0, 0);
    const OleColor top = RgbColor(100, 200, 50);
    const OleColor bottom = RgbColor(11, 21, 31);
    const OleColor topBlend = RgbColor(50, 100, 25);
    const OleColor bottomBlend = RgbColor(6, 10, 16); // 5.5 to 6, 10.5 to 10, 15.5 to 16
    const std::vector<PixelPaint> expected{
        {14, 0, host},         {14, 25, host},       {13, 0, topBlend},    {14, 1, topBlend},
        {0, 0, topBlend},      {1, 1, topBlend},     {1, 0, top},          {13, 25, bottomBlend},
        {14, 24, bottomBlend}, {0, 25, bottomBlend}, {1, 24, bottomBlend}, {1, 25, bottom},
    };
    EXPECT_EQ(RightButtonCornerPixels(15, 26, host, top, bottom), expected);
}

TEST(ToolbarRightButton, HoverPressAndLeaveMoveBetweenTheLooks) {
    RightButtonStateMachine button;
    EXPECT_EQ(button.TimerTick(false), std::nullopt) << "at rest and away: nothing to repaint";
    EXPECT_EQ(button.TimerTick(true), RightButtonLook::Hot);
    EXPECT_EQ(button.State(), 1);
    EXPECT_EQ(button.TimerTick(true), std::nullopt);
    EXPECT_EQ(button.Press(), RightButtonLook::Pressed);
    EXPECT_EQ(button.TimerTick(true), std::nullopt) << "the press look stays under the pointer";
    EXPECT_EQ(button.Release(), RightButtonLook::Hot);
    EXPECT_EQ(button.State(), 1);
    button.Press();
    EXPECT_EQ(button.TimerTick(false), RightButtonLook::Rest) << "leaving while pressed rests it too";
    EXPECT_EQ(button.State(), 0);
}

} // namespace
} // namespace quarrow::controls
