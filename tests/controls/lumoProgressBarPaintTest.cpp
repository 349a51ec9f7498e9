// What the progress bar paints, read back pixel by pixel.

#include "lumoProgressBar.hpp"

#include "GdiProbe.hpp"
#include "ProgressBarTestSupport.hpp"
#include "SurfaceTestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace quarrow::controls {
namespace {

using testing::BarHost;
using testing::ColumnPattern;
using testing::DibCanvas;
using testing::PrintInto;
using testing::RowPattern;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128); // the default bar colour
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

std::unique_ptr<lumoProgressBar> WhiteBar(const BarHost& host, int width, int height) {
    auto bar = host.MakeBar(width, height);
    bar->BackColor(kWhite);
    return bar;
}

// `count` copies of `c`.
std::string Repeat(std::size_t count, char c) { return std::string(count, c); }

TEST(lumoProgressBarPaint, AClassicBarAtHalfFillsHalfItsWorkingWidth) {
    BarHost host;
    auto bar = WhiteBar(host, 200, 20);
    bar->Value(50);
    DibCanvas canvas(200, 20);
    PrintInto(*bar, canvas);
    // Working area 1…199 inside the thin border: the bar ends at 0.5 × 198 + 1 = 100.
    EXPECT_EQ(RowPattern(canvas, 10, 1, 198, kNavy, '#', kWhite, '.'), Repeat(99, '#') + Repeat(99, '.'));
    EXPECT_EQ(ColumnPattern(canvas, 50, 1, 18, kNavy, '#', kWhite, '.'), Repeat(18, '#')) << "the full working height";

    // 0.5 × 199 + 1 = 100.5: the tie goes to the even 100.
    auto odd = WhiteBar(host, 201, 20);
    odd->Value(50);
    DibCanvas oddCanvas(201, 20);
    PrintInto(*odd, oddCanvas);
    EXPECT_EQ(RowPattern(oddCanvas, 10, 1, 199, kNavy, '#', kWhite, '.'), Repeat(99, '#') + Repeat(100, '.'));
}

TEST(lumoProgressBarPaint, SegmentsSnapToWholeBlocksWithGapsInTheBackColour) {
    BarHost host;
    auto bar = WhiteBar(host, 200, 20);
    bar->Segments(true);
    DibCanvas canvas(200, 20);

    bar->Value(4); // edge at 8.92 → 9, short of the first whole block of 10
    PrintInto(*bar, canvas);
    EXPECT_EQ(RowPattern(canvas, 10, 1, 198, kNavy, '#', kWhite, '.'), Repeat(198, '.'));

    bar->Value(50); // edge at 100, snapped back to 91: nine blocks of 8, each followed by a gap of 2
    PrintInto(*bar, canvas);
    std::string expected;
    for (int x = 1; x <= 198; ++x) {
        expected += x < 91 && (x - 1) % 10 < 8 ? '#' : '.';
    }
    EXPECT_EQ(RowPattern(canvas, 10, 1, 198, kNavy, '#', kWhite, '.'), expected);
    EXPECT_EQ(ColumnPattern(canvas, 9, 1, 18, kNavy, '#', kWhite, '.'), Repeat(18, '.')) << "gaps span the height";
}

TEST(lumoProgressBarPaint, ABarTallerThanWideFillsFromTheBottom) {
    BarHost host;
    auto bar = WhiteBar(host, 20, 100);
    bar->Value(30);
    DibCanvas canvas(20, 100);
    PrintInto(*bar, canvas);
    // Working rows 1…98; the top edge at 0.7 × 98 + 1 = 69.6 → 70.
    EXPECT_EQ(ColumnPattern(canvas, 10, 1, 98, kNavy, '#', kWhite, '.'), Repeat(69, '.') + Repeat(29, '#'));
    EXPECT_EQ(RowPattern(canvas, 80, 1, 18, kNavy, '#', kWhite, '.'), Repeat(18, '#'));

    // Segmented: the top moves down to 79, a whole two periods above the bottom. Blocks end at the
    // bottom; the gap run stops before the bar's top, so the top block reaches up to it.
    bar->Segments(true);
    PrintInto(*bar, canvas);
    EXPECT_EQ(ColumnPattern(canvas, 10, 1, 98, kNavy, '#', kWhite, '.'),
              Repeat(78, '.') + Repeat(10, '#') + Repeat(2, '.') + Repeat(8, '#'));
}

// Pixels of exactly `colour` within columns fromX…toX of the working rows.
int CountColour(const DibCanvas& canvas, COLORREF colour, int fromX, int toX, int fromY, int toY) {
    int count = 0;
    for (int y = fromY; y <= toY; ++y) {
        for (int x = fromX; x <= toX; ++x) {
            count += canvas.Pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// Text may be smoothed into its background, so caption pixels are told apart by their hue: red text
// blends with white into (255, g, g), yellow text with navy into (r, r, b).
int CountHue(const DibCanvas& canvas, COLORREF hue, int fromX, int toX, int fromY, int toY) {
    const auto matches = [](BYTE channel, BYTE target) { return target ? channel > 150 : channel < 100; };
    int count = 0;
    for (int y = fromY; y <= toY; ++y) {
        for (int x = fromX; x <= toX; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            count += matches(GetRValue(c), GetRValue(hue)) && matches(GetGValue(c), GetGValue(hue)) &&
                             matches(GetBValue(c), GetBValue(hue))
                         ? 1
                         : 0;
        }
    }
    return count;
}

TEST(lumoProgressBarPaint, TheCaptionChangesColourAtTheBarsEnd) {
    BarHost host;
    auto bar = WhiteBar(host, 200, 20);
    bar->ForeColor(kRed);
    bar->BarForeColor(kYellow);
    bar->Value(50); // bar over columns 1…99
    bar->Text(L"MMMMMMMMMMMMMMMMMMMM");
    bar->ShowText(true);
    DibCanvas canvas(200, 20);
    PrintInto(*bar, canvas);
    EXPECT_GT(CountHue(canvas, kYellow, 1, 99, 1, 18), 50);
    EXPECT_EQ(CountHue(canvas, kRed, 1, 99, 1, 18), 0);
    EXPECT_GT(CountHue(canvas, kRed, 100, 198, 1, 18), 50);
    EXPECT_EQ(CountHue(canvas, kYellow, 100, 198, 1, 18), 0);
}

TEST(lumoProgressBarPaint, NoCaptionUnlessShownAndNotEmpty) {
    BarHost host;
    auto bar = WhiteBar(host, 200, 20);
    bar->ForeColor(kRed);
    bar->BarForeColor(kYellow);
    bar->Value(50);
    DibCanvas canvas(200, 20);

    bar->Text(L"MMMMMMMMMM");
    PrintInto(*bar, canvas);
    EXPECT_EQ(CountHue(canvas, kRed, 0, 199, 0, 19) + CountHue(canvas, kYellow, 0, 199, 0, 19), 0) << "ShowText is off";

    bar->ShowText(true);
    bar->Text(L"");
    PrintInto(*bar, canvas);
    EXPECT_EQ(CountHue(canvas, kRed, 0, 199, 0, 19) + CountHue(canvas, kYellow, 0, 199, 0, 19), 0) << "nothing to show";

    bar->Text(L"M");
    PrintInto(*bar, canvas);
    EXPECT_GT(CountHue(canvas, kRed, 0, 199, 0, 19), 0) << "and now there is";
}

// Empty when both canvases hold the same pixels, else where they first differ.
std::string Differences(const DibCanvas& a, const DibCanvas& b, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                return "first difference at " + std::to_string(x) + ", " + std::to_string(y);
            }
        }
    }
    return {};
}

// The bounding box of the pixels in `colour`: {left, top, right, bottom}, inclusive.
RECT BoundsOf(const DibCanvas& canvas, COLORREF colour, int width, int height) {
    RECT bounds{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.Pixel(x, y) == colour) {
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x), std::max<LONG>(bounds.bottom, y)};
            }
        }
    }
    return bounds;
}

TEST(lumoProgressBarPaint, TheCaptionIsPlacedByItsAlignments) {
    BarHost host;
    auto bar = WhiteBar(host, 200, 60);
    bar->ForeColor(kBlack);
    bar->Text(L"MM");
    bar->ShowText(true);
    DibCanvas canvas(200, 60);
    const auto placed = [&](std::int32_t x, std::int32_t y) {
        bar->TextAlignX(x);
        bar->TextAlignY(y);
        PrintInto(*bar, canvas);
        return BoundsOf(canvas, kBlack, 200, 60);
    };
    const RECT topLeft = placed(0, 0);
    EXPECT_LT(topLeft.left, 20) << "left, after the added space";
    EXPECT_GT(topLeft.left, 1) << "the added space comes first";
    EXPECT_LT(topLeft.top, 15);
    const RECT centre = placed(1, 1);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 100, 3);
    EXPECT_NEAR((centre.top + centre.bottom) / 2.0, 30, 6) << "capitals sit above the line's middle";
    const RECT bottomRight = placed(2, 2);
    EXPECT_GT(bottomRight.right, 180);
    EXPECT_LT(bottomRight.right, 198) << "the added space comes last";
    EXPECT_GT(bottomRight.bottom, 45);
}

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const DibCanvas& canvas, COLORREF colour, int width, int height) {
    PixelSet pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.Pixel(x, y) == colour) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

// The ampersand is not drawn: "&M" paints the very same "M" in the very same place, plus an underline
// (the extra pixels lie in one or two rows).
void ExpectUnderlinedInsteadOfAmpersand(lumoProgressBar& bar, COLORREF textColour) {
    constexpr int kWidth = 120;
    constexpr int kHeight = 24;
    DibCanvas canvas(kWidth, kHeight);
    bar.Text(L"M");
    PrintInto(bar, canvas);
    const PixelSet plain = PixelsOf(canvas, textColour, kWidth, kHeight);
    bar.Text(L"&M");
    PrintInto(bar, canvas);
    const PixelSet prefixed = PixelsOf(canvas, textColour, kWidth, kHeight);

    ASSERT_FALSE(plain.empty());
    std::set<int> extraRows;
    for (const auto& pixel : plain) {
        EXPECT_TRUE(prefixed.count(pixel)) << "the M moved or changed at " << pixel.first << ", " << pixel.second;
    }
    for (const auto& pixel : prefixed) {
        if (!plain.count(pixel)) {
            extraRows.insert(pixel.second);
        }
    }
    EXPECT_GE(extraRows.size(), 1u) << "no underline";
    EXPECT_LE(extraRows.size(), 2u) << "more than an underline was drawn";
}

TEST(lumoProgressBarPaint, AnAmpersandUnderlinesTheNextCharacterInEveryPass) {
    BarHost host;
    auto bar = WhiteBar(host, 120, 24);
    bar->ShowText(true);
    {
        SCOPED_TRACE("first pass, over the empty part");
        bar->ForeColor(kBlack);
        ExpectUnderlinedInsteadOfAmpersand(*bar, kBlack);
    }
    {
        SCOPED_TRACE("second pass, over the bar");
        bar->ForeColor(kRed);
        bar->BarColor(kWhite);
        bar->BarForeColor(kBlack);
        bar->Value(100);
        ExpectUnderlinedInsteadOfAmpersand(*bar, kBlack);
    }
    if (testing::ProgressStyleAvailable(host.Handle())) {
        SCOPED_TRACE("the visual style's text");
        bar->XpStyle(true);
        bar->Value(0);
        bar->ForeColor(kBlack);
        ExpectUnderlinedInsteadOfAmpersand(*bar, kBlack);
    }
}

std::string BorderDrawing(const lumoProgressBar& bar, int width, int height) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    DibCanvas canvas(width, height);
    PrintInto(bar, canvas);
    return canvas.Render(0, 0, width - 1, height - 1, [&](COLORREF c) {
        return c == shadow ? 's' : c == highlight ? 'h' : c == kBlack ? '#' : c == kGreen ? '.' : '?';
    });
}

TEST(lumoProgressBarPaint, BordersFlatThinSunkenAndThinRaised) {
    BarHost host;
    auto bar = host.MakeBar(8, 5);
    bar->BackColor(kGreen);

    bar->Appearance(0);
    EXPECT_EQ(BorderDrawing(*bar, 8, 5), "########\n"
                                         "#......#\n"
                                         "#......#\n"
                                         "#......#\n"
                                         "########\n");
    bar->Appearance(1); // BorderStyle 1: sunken
    EXPECT_EQ(BorderDrawing(*bar, 8, 5), "ssssssss\n"
                                         "s......h\n"
                                         "s......h\n"
                                         "s......h\n"
                                         "shhhhhhh\n");
    bar->BorderStyle(2);
    EXPECT_EQ(BorderDrawing(*bar, 8, 5), "hhhhhhhs\n"
                                         "h......s\n"
                                         "h......s\n"
                                         "h......s\n"
                                         "ssssssss\n");
    bar->BorderStyle(0);
    EXPECT_EQ(BorderDrawing(*bar, 8, 5), "........\n"
                                         "........\n"
                                         "........\n"
                                         "........\n"
                                         "........\n");
}

TEST(lumoProgressBarPaint, TheFull3DEdgeIsTheSystemsSoftEdgeTwoPixelsWide) {
    BarHost host;
    auto bar = host.MakeBar(40, 10);
    bar->BackColor(kGreen);
    bar->Appearance(2);
    bar->Value(100);
    for (const bool raised : {false, true}) {
        bar->BorderStyle(raised ? 2 : 1);
        DibCanvas painted(40, 10);
        PrintInto(*bar, painted);

        DibCanvas expected(40, 10);
        expected.Fill(kNavy);
        RECT edge{0, 0, 40, 10};
        DrawEdge(expected.Dc(), &edge, raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
        EXPECT_EQ(Differences(painted, expected, 40, 10), "") << "raised " << raised;
        EXPECT_EQ(painted.Pixel(2, 2), kNavy) << "the bar starts two pixels in";
        EXPECT_NE(painted.Pixel(1, 5), kNavy);
    }
}

TEST(lumoProgressBarPaint, AnEmptyRangePaintsAnEmptyBar) {
    BarHost host;
    auto bar = WhiteBar(host, 100, 20);
    bar->Min(5);
    bar->Max(5);
    DibCanvas canvas(100, 20);
    for (const std::int32_t value : {5, 7, -3}) {
        bar->Value(value);
        EXPECT_EQ(bar->Percent(), 0.0);
        canvas.Fill(kRed);
        PrintInto(*bar, canvas);
        EXPECT_EQ(CountColour(canvas, kNavy, 0, 99, 0, 19), 0) << value;
        EXPECT_EQ(canvas.Pixel(50, 10), kWhite) << "the paint carried on";
    }
}

TEST(lumoProgressBarPaint, AValueAboveMaxShowsAFullBar) {
    BarHost host;
    auto bar = WhiteBar(host, 100, 20);
    bar->Value(250);
    EXPECT_EQ(bar->Value(), 250) << "not clamped when set";
    EXPECT_EQ(bar->Percent(), 100.0);
    DibCanvas canvas(100, 20);
    PrintInto(*bar, canvas);
    EXPECT_EQ(RowPattern(canvas, 10, 1, 98, kNavy, '#', kWhite, '.'), Repeat(98, '#'));
}

// A 3 × 2 picture with a different colour in every pixel.
COLORREF Swatch(int x, int y) { return RGB(40 * x + 10, 100 * y + 20, 7); }

Picture SwatchPicture() { return Picture::FromBitmap(testing::ScreenBitmap(3, 2, Swatch)); }

Picture TwoColourPicture() {
    return Picture::FromBitmap(testing::ScreenBitmap(2, 1, [](int x, int) { return x == 0 ? kRed : kYellow; }));
}

// Whether every pixel in columns fromX…toX, rows fromY…toY shows the swatch tiled from the origin.
bool ShowsTiledSwatch(const DibCanvas& canvas, int fromX, int toX, int fromY, int toY) {
    for (int y = fromY; y <= toY; ++y) {
        for (int x = fromX; x <= toX; ++x) {
            if (canvas.Pixel(x, y) != Swatch(x % 3, y % 2)) {
                return false;
            }
        }
    }
    return true;
}

TEST(lumoProgressBarPaint, PicturesTileFromTheSurfaceOriginOrStretch) {
    BarHost host;
    auto bar = WhiteBar(host, 20, 10);
    bar->BorderStyle(0);
    DibCanvas canvas(20, 10);

    bar->Picture(SwatchPicture());
    PrintInto(*bar, canvas);
    EXPECT_TRUE(ShowsTiledSwatch(canvas, 0, 19, 0, 9)) << "background tiled";

    bar->BackPictureMode(0);
    bar->Picture(TwoColourPicture());
    PrintInto(*bar, canvas);
    EXPECT_EQ(RowPattern(canvas, 5, 0, 19, kRed, 'r', kYellow, 'y'), Repeat(10, 'r') + Repeat(10, 'y'))
        << "background stretched";

    bar->Picture(Picture{});
    bar->BarPicture(SwatchPicture());
    bar->Value(100);
    PrintInto(*bar, canvas);
    EXPECT_TRUE(ShowsTiledSwatch(canvas, 0, 19, 0, 9)) << "bar tiled";

    bar->BarPictureMode(0);
    bar->BarPicture(TwoColourPicture());
    bar->Value(25);
    PrintInto(*bar, canvas);
    EXPECT_EQ(RowPattern(canvas, 5, 0, 19, kRed, 'r', kWhite, '.'), Repeat(5, 'r') + Repeat(15, '.'))
        << "the whole picture stretched over the control, seen only through the bar";
}

TEST(lumoProgressBarPaint, ABarPictureTilesFromTheControlsLeftEdgeOverTheBarsWidth) {
    BarHost host;
    auto bar = WhiteBar(host, 20, 10);
    bar->BarPicture(SwatchPicture());
    bar->Value(100); // bar 1…18 inside the border
    DibCanvas canvas(20, 10);
    PrintInto(*bar, canvas);
    // The tiles cover columns 0…17 (the bar's width, from x 0); the bar clips them to 1…18, so the
    // bar's last column keeps the background.
    EXPECT_TRUE(ShowsTiledSwatch(canvas, 1, 17, 1, 8));
    EXPECT_EQ(ColumnPattern(canvas, 18, 1, 8, kWhite, '.', kNavy, '#'), Repeat(8, '.'));
}

TEST(lumoProgressBarPaint, ModifyingAPictureShowsAtTheNextPaintAndStartsFromTheOriginal) {
    BarHost host;
    auto bar = WhiteBar(host, 20, 10);
    bar->BorderStyle(0);
    bar->Value(100);
    bar->ModifyBarPicture(0.5, 0.5); // no picture: nothing happens
    bar->BarPicture(Picture::FromBitmap(testing::ScreenBitmap(1, 1, [](int, int) { return RGB(200, 100, 50); })));
    int paints = 0;
    bar->BeforePaint = [&](BeforePaintEvent) { ++paints; };
    DibCanvas canvas(20, 10);

    bar->ModifyBarPicture(1.0, 0.0); // no saturation: gray at the luminance (200 + 50) / 2
    EXPECT_EQ(paints, 0) << "the call itself does not repaint";
    PrintInto(*bar, canvas);
    EXPECT_EQ(canvas.Pixel(7, 3), RGB(125, 125, 125));

    bar->ModifyBarPicture(0.0, 1.0);
    PrintInto(*bar, canvas);
    EXPECT_EQ(canvas.Pixel(7, 3), kBlack) << "no luminance";

    bar->ModifyBarPicture(1.0, 1.0);
    PrintInto(*bar, canvas);
    EXPECT_EQ(canvas.Pixel(7, 3), RGB(200, 100, 50)) << "each change starts from the picture as given";

    bar->Value(0);
    bar->Picture(Picture::FromBitmap(testing::ScreenBitmap(1, 1, [](int, int) { return RGB(200, 100, 50); })));
    bar->ModifyPicture(1.0, 0.0);
    PrintInto(*bar, canvas);
    EXPECT_EQ(canvas.Pixel(7, 3), RGB(125, 125, 125)) << "the background picture likewise";
}

class ThemedBar : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::ProgressStyleAvailable(host.Handle())) {
            GTEST_SKIP() << "no visual style for progress bars on this system";
        }
    }
    BarHost host;
};

TEST_F(ThemedBar, PaintsTheStylesBackgroundAndChunkInsteadOfTheClassicColours) {
    auto bar = host.MakeBar(60, 20);
    bar->XpStyle(true);
    bar->BackColor(kRed);
    bar->BarColor(kGreen);
    bar->Value(50);
    DibCanvas canvas(60, 20);
    PrintInto(*bar, canvas);
    EXPECT_EQ(CountColour(canvas, kRed, 0, 59, 0, 19) + CountColour(canvas, kGreen, 0, 59, 0, 19), 0);

    // Working area 1…59; the bar ends at 0.5 × 58 + 1 = 30 and the chunk covers (3, 3)…(29, 18).
    const COLORREF chunk = canvas.Pixel(3, 3);
    EXPECT_EQ(CountColour(canvas, chunk, 3, 28, 3, 17), 26 * 15);
    EXPECT_EQ(CountColour(canvas, chunk, 29, 59, 0, 19), 0);
    EXPECT_EQ(CountColour(canvas, chunk, 0, 2, 0, 19), 0);

    // Borders and segments belong to the classic look.
    bar->Segments(true);
    bar->BorderStyle(2);
    bar->Appearance(2);
    DibCanvas again(60, 20);
    PrintInto(*bar, again);
    EXPECT_EQ(Differences(again, canvas, 60, 20), "");

    bar->XpStyle(false);
    PrintInto(*bar, canvas);
    EXPECT_EQ(canvas.Pixel(5, 10), kGreen) << "classic again";
}

TEST_F(ThemedBar, AnEmptyBarHasNoChunk) {
    auto bar = host.MakeBar(60, 20);
    bar->XpStyle(true);
    DibCanvas canvas(60, 20);
    PrintInto(*bar, canvas);
    const COLORREF inside = canvas.Pixel(30, 10);
    EXPECT_EQ(CountColour(canvas, inside, 3, 56, 3, 16), 54 * 14) << "one colour inside";

    bar->Min(3);
    bar->Max(3);
    canvas.Fill(kRed);
    PrintInto(*bar, canvas);
    EXPECT_EQ(CountColour(canvas, inside, 3, 56, 3, 16), 54 * 14) << "an empty range, likewise";
}

TEST_F(ThemedBar, ABackgroundPictureTurnsTheStyleOff) {
    auto bar = host.MakeBar(20, 10);
    bar->XpStyle(true);
    bar->BarColor(kGreen);
    bar->Value(50);
    bar->Picture(SwatchPicture());
    DibCanvas canvas(20, 10);
    PrintInto(*bar, canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_BTNSHADOW)) << "the classic border";
    EXPECT_EQ(canvas.Pixel(5, 5), kGreen) << "the classic bar";
    EXPECT_TRUE(ShowsTiledSwatch(canvas, 11, 18, 1, 8)) << "the picture behind the empty part";
}

TEST(lumoProgressBarPaint, BeforePaintComesFirstWithTheSurfaceAndClientArea) {
    BarHost host;
    auto bar = WhiteBar(host, 120, 16);
    std::vector<BeforePaintEvent> events;
    bar->BeforePaint = [&](BeforePaintEvent e) {
        events.push_back(e);
        e.doDefault = false; // a copy: painting goes on regardless
        const RECT all{0, 0, 120, 16};
        FillRect(e.hDC, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    DibCanvas canvas(120, 16);
    PrintInto(*bar, canvas);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_NE(events[0].hDC, nullptr);
    EXPECT_EQ(events[0].left, 0);
    EXPECT_EQ(events[0].top, 0);
    EXPECT_EQ(events[0].width, 120);
    EXPECT_EQ(events[0].height, 16);
    EXPECT_TRUE(events[0].doDefault);
    EXPECT_EQ(canvas.Pixel(60, 8), kWhite) << "the paint went on after the event";

    SetWindowPos(bar->Handle(), nullptr, 0, 0, 150, 30, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(events.size(), 2u) << "a resize repaints";
    EXPECT_EQ(events[1].width, 150);
    EXPECT_EQ(events[1].height, 30);

    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(host.Handle());
    const std::size_t before = events.size();
    InvalidateRect(bar->Handle(), nullptr, FALSE);
    UpdateWindow(bar->Handle());
    EXPECT_EQ(events.size(), before + 1) << "WM_PAINT goes through the same paint";
}

TEST(lumoProgressBarPaint, RepaintsLeakNoGdiObjects) {
    BarHost host;
    auto bar = WhiteBar(host, 120, 18);
    bar->ShowText(true);
    bar->Text(L"&Working 50%");
    const Picture swatch = SwatchPicture();
    const auto cycle = [&] {
        for (const bool xp : {false, true}) {
            bar->XpStyle(xp);
            for (const std::int32_t appearance : {0, 1, 2}) {
                bar->Appearance(appearance);
                bar->Segments(appearance == 1);
                bar->Value(appearance * 40 + 10);
                bar->Redraw();
            }
        }
        bar->BarColor(RGB(10, 20, 30)); // a brush made for the colour
        bar->BarColor(0x8000000D);      // a system brush, never deleted
        bar->Font(win32::FontSpec{L"Tahoma", 9});
        bar->BarPicture(swatch);
        bar->ModifyBarPicture(0.8, 0.8);
        bar->Picture(swatch);
        bar->BackPictureMode(0);
        bar->Picture(Picture{});
        bar->BarPicture(Picture{});
        bar->BackPictureMode(1);
        bar->Font(win32::FontSpec{});
    };
    cycle();
    const int before = testing::FreeGdiSlots();
    for (int i = 0; i < 20; ++i) {
        cycle();
    }
    EXPECT_EQ(testing::FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls
