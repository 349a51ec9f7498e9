#include "ModGrad.hpp"

#include "DibCanvas.hpp"
#include "GdiProbe.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

using testing::DibCanvas;
using testing::FreeGdiSlots;

constexpr COLORREF kBackground = RGB(0, 0, 255);

// '#' for `ink`, '.' for the background, '?' for anything else.
auto InkOn(COLORREF ink) {
    return [ink](COLORREF c) { return c == ink ? '#' : c == kBackground ? '.' : '?'; };
}

TEST(DrawLine, LeavesTheEndPointUnpainted) {
    DibCanvas canvas(10, 5, kBackground);
    DrawLine(canvas.Dc(), 2, 1, 6, 1, RGB(255, 0, 0));
    DrawLine(canvas.Dc(), 8, 0, 8, 3, RGB(255, 0, 0));
    EXPECT_EQ(canvas.Render(0, 0, 9, 3, InkOn(RGB(255, 0, 0))), "........#.\n"
                                                                "..####..#.\n"
                                                                "........#.\n"
                                                                "..........\n");
}

TEST(DrawBox, WidthAndHeightOnePaintATwoByTwoSquare) {
    DibCanvas canvas(10, 10, kBackground);
    DrawBox(canvas.Dc(), 4, 4, 1, 1, RGB(0, 0, 128));
    EXPECT_EQ(canvas.Render(3, 3, 6, 6, InkOn(RGB(0, 0, 128))), "....\n"
                                                                ".##.\n"
                                                                ".##.\n"
                                                                "....\n");
}

TEST(DrawBox, OutlinesColumnsXToXPlusWidth) {
    DibCanvas canvas(8, 6, kBackground);
    DrawBox(canvas.Dc(), 1, 1, 4, 3, RGB(0, 0, 0));
    EXPECT_EQ(canvas.Render(0, 0, 6, 5, InkOn(RGB(0, 0, 0))), ".......\n"
                                                              ".#####.\n"
                                                              ".#...#.\n"
                                                              ".#...#.\n"
                                                              ".#####.\n"
                                                              ".......\n");
}

TEST(GradientFill, PaintsCountPlusOneLinesFromFirstToLastColour) {
    DibCanvas canvas(12, 40, kBackground);
    const OleColor first = RgbColor(221, 236, 254);
    const OleColor last = RgbColor(129, 169, 226);
    GradientFill(canvas.Dc(), first, last, 0, 5, 10, 25);

    EXPECT_EQ(canvas.Pixel(0, 4), kBackground);
    EXPECT_EQ(canvas.Pixel(0, 5), first);
    EXPECT_EQ(canvas.Pixel(9, 5), first);
    EXPECT_EQ(canvas.Pixel(10, 5), kBackground) << "the right edge is the line's unpainted end point";
    EXPECT_EQ(canvas.Pixel(3, 6), RgbColor(217, 233, 253));
    EXPECT_EQ(canvas.Pixel(3, 17), RgbColor(177, 204, 241));
    EXPECT_EQ(canvas.Pixel(9, 30), last);
    EXPECT_EQ(canvas.Pixel(0, 31), kBackground);
    for (int y = 5; y <= 30; ++y) {
        EXPECT_NE(canvas.Pixel(0, y), kBackground) << "line " << y - 5 << " of 26";
    }
}

TEST(GradientFill, ACountOfZeroPaintsOneLineAndANegativeCountNothing) {
    DibCanvas canvas(6, 6, kBackground);
    GradientFill(canvas.Dc(), RgbColor(1, 2, 3), RgbColor(200, 200, 200), 0, 2, 6, -1);
    EXPECT_EQ(canvas.Render(0, 0, 5, 5, InkOn(RgbColor(1, 2, 3))), "......\n"
                                                                   "......\n"
                                                                   "......\n"
                                                                   "......\n"
                                                                   "......\n"
                                                                   "......\n");
    GradientFill(canvas.Dc(), RgbColor(1, 2, 3), RgbColor(200, 200, 200), 0, 2, 6, 0);
    EXPECT_EQ(canvas.Render(0, 0, 5, 5, InkOn(RgbColor(1, 2, 3))), "......\n"
                                                                   "......\n"
                                                                   "######\n"
                                                                   "......\n"
                                                                   "......\n"
                                                                   "......\n");
}

TEST(GradientBox, FramesAGradientWhoseWidthIsTheRightEdge) {
    DibCanvas canvas(12, 12, kBackground);
    const OleColor frame = RgbColor(0, 0, 128);
    GradientBox(canvas.Dc(), RgbColor(255, 245, 206), RgbColor(255, 207, 142), 0, 2, 8, 6, frame);
    EXPECT_EQ(canvas.Render(0, 1, 9, 9, [&](COLORREF c) { return c == frame         ? '#'
                                                                 : c == kBackground ? '.'
                                                                                    : 'g'; }),
              "..........\n"
              "#########.\n"
              "#ggggggg#.\n"
              "#ggggggg#.\n"
              "#ggggggg#.\n"
              "#ggggggg#.\n"
              "#ggggggg#.\n"
              "#########.\n"
              "..........\n");
    EXPECT_EQ(canvas.Pixel(4, 3), RgbColor(255, 239, 195)) << "line 1 of the gradient (steps 0, −6.33, −10.67)";
}

TEST(TranslateColor, GivesSystemColoursTheirCurrentValue) {
    EXPECT_EQ(TranslateColor(0x8000000Fu), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(TranslateColor(0x80000008u), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(TranslateColor(RgbColor(12, 34, 56)), RgbColor(12, 34, 56));
}

TEST(TranslateColor, AnswersMinusOneForWhatCannotBeTranslated) {
    EXPECT_EQ(TranslateColor(0x80000040u), kUntranslatableColor) << "no system colour has index 64";
    EXPECT_EQ(TranslateColor(0x7F000000u), kUntranslatableColor) << "an unknown kind of colour";
}

TEST(FillPolygon, DrawsTheRightEndButtonArrowWithItsShadow) {
    DibCanvas canvas(16, 26, kBackground);
    const POINT shadow[] = {{7, 19}, {13, 19}, {10, 22}};
    const POINT arrow[] = {{6, 18}, {12, 18}, {9, 21}};
    FillPolygon(canvas.Dc(), RgbColor(255, 255, 255), WHITE_BRUSH, shadow);
    FillPolygon(canvas.Dc(), RgbColor(0, 0, 0), BLACK_BRUSH, arrow);
    const auto name = [](COLORREF c) {
        return c == RGB(0, 0, 0) ? 'B' : c == RGB(255, 255, 255) ? 'W' : c == kBackground ? '.' : '?';
    };
    EXPECT_EQ(canvas.Render(5, 17, 14, 23, name), "..........\n"
                                                  ".BBBBBBB..\n"
                                                  "..BBBBBWW.\n"
                                                  "...BBBWW..\n"
                                                  "....BWW...\n"
                                                  ".....W....\n"
                                                  "..........\n");
}

TEST(FillPolygon, OutlinesWhatCannotBeFilledAndIgnoresABrushThatIsNotOne) {
    DibCanvas canvas(8, 8, kBackground);
    const POINT line[] = {{1, 1}, {5, 1}};
    FillPolygon(canvas.Dc(), RgbColor(0, 0, 0), BLACK_BRUSH, line);
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(4, 1), RGB(0, 0, 0));

    const POINT triangle[] = {{1, 3}, {7, 3}, {4, 6}};
    FillPolygon(canvas.Dc(), RgbColor(255, 255, 255), BLACK_PEN, triangle);
    EXPECT_EQ(canvas.Pixel(1, 3), RGB(255, 255, 255));
    EXPECT_EQ(canvas.Pixel(4, 4), kBackground) << "a pen is no brush: the inside stays unfilled";
    FillPolygon(canvas.Dc(), RgbColor(255, 255, 255), WHITE_BRUSH, {});
}

TEST(ModGrad, RoutinesReleaseWhatTheyCreateAndRestoreTheContext) {
    DibCanvas canvas(20, 30, kBackground);
    const HGDIOBJ pen = GetCurrentObject(canvas.Dc(), OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(canvas.Dc(), OBJ_BRUSH);
    const POINT arrow[] = {{6, 18}, {12, 18}, {9, 21}};
    const auto paintAll = [&] {
        DrawLine(canvas.Dc(), 0, 0, 10, 10, RgbColor(1, 1, 1));
        DrawBox(canvas.Dc(), 1, 1, 5, 5, RgbColor(2, 2, 2));
        GradientFill(canvas.Dc(), RgbColor(0, 0, 0), RgbColor(255, 255, 255), 0, 0, 20, 25);
        GradientBox(canvas.Dc(), RgbColor(0, 0, 0), RgbColor(255, 255, 255), 0, 2, 19, 20, RgbColor(0, 0, 128));
        FillPolygon(canvas.Dc(), RgbColor(0, 0, 0), BLACK_BRUSH, arrow);
        TranslateColor(0x8000000Fu);
    };
    paintAll();
    const int before = FreeGdiSlots();
    for (int i = 0; i < 5; ++i) {
        paintAll();
    }
    EXPECT_EQ(FreeGdiSlots(), before);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_BRUSH), brush);
}

} // namespace
} // namespace quarrow::controls
