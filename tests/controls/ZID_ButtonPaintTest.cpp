// The button's faces as painted on PicMain, read back from the kept image (and, where the screen is
// what matters, from the screen).

#include "ZID_Button.hpp"

#include "ControlHost.hpp"
#include "DibCanvas.hpp"
#include "GdiProbe.hpp"
#include "SurfaceTestSupport.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace quarrow::controls {
namespace {

using testing::ControlHost;

constexpr int kWidth = 80;
constexpr int kHeight = 25;

COLORREF PixelOf(const ZID_Button& button, int x, int y) { return GetPixel(button.PicMain().Dc(), x, y); }

// The colour GradientFill gives line `line` of a gradient over `count` lines.
COLORREF GradientLine(OleColor top, OleColor bottom, int count, int line) {
    return VerticalGradient(top, bottom, count).LineColor(line);
}

std::string FaceImage(const ZID_Button& button) {
    std::string pixels;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < button.PicMain().Width(); ++x) {
            pixels += std::to_string(PixelOf(button, x, y)) + ',';
        }
    }
    return pixels;
}

// The pixels of the caption area that differ from the same button painted without a caption.
std::set<std::pair<int, int>> CaptionInk(ZID_Button& button, const std::wstring& caption) {
    const std::wstring kept = button.Caption();
    button.SetCaption(L"");
    const int width = button.PicMain().Width();
    std::vector<COLORREF> bare;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            bare.push_back(PixelOf(button, x, y));
        }
    }
    button.SetCaption(caption);
    std::set<std::pair<int, int>> ink;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            if (PixelOf(button, x, y) != bare[static_cast<std::size_t>(y * width + x)]) {
                ink.insert({x, y});
            }
        }
    }
    button.SetCaption(kept);
    return ink;
}

Picture RedIcon() {
    return Picture::FromIcon(testing::MaskedIcon(
        16, 16, [](int, int) { return RGB(255, 0, 0); }, [](int x, int) { return x < 12; }));
}

class ZID_ButtonPaint : public ::testing::Test {
protected:
    ControlHost& host = testing::SharedHost();
    ZID_Button button{host.Handle(), 10, 10, kWidth};
};

TEST_F(ZID_ButtonPaint, EveryStateHasItsFaceInEveryScheme) {
    for (const auto& [themeColor, scheme] :
         {std::pair{0, ColorScheme::Blue}, std::pair{1, ColorScheme::Silver}, std::pair{2, ColorScheme::Olive}}) {
        SCOPED_TRACE(themeColor);
        button.SetThemeColor(themeColor);
        const SchemeColors& colors = ColorsOf(scheme);

        button.SetState(0);
        EXPECT_EQ(PixelOf(button, 40, 0), colors.faceTop);
        EXPECT_EQ(PixelOf(button, 40, 12), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 12));
        EXPECT_EQ(PixelOf(button, 0, 24), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 24));

        // Framed boxes: the frame on rows 2 and 22 and columns 0 and W - 1, the box gradient inside,
        // the face above and below.
        const struct {
            std::int16_t state;
            OleColor top;
            OleColor bottom;
        } framed[] = {{1, RgbColor(255, 245, 206), RgbColor(255, 207, 142)},
                      {2, RgbColor(254, 142, 75), RgbColor(254, 214, 145)},
                      {3, RgbColor(255, 235, 99), RgbColor(255, 119, 0)}};
        for (const auto& f : framed) {
            SCOPED_TRACE(f.state);
            button.SetState(f.state);
            EXPECT_EQ(PixelOf(button, 30, 1), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 1));
            EXPECT_EQ(PixelOf(button, 30, 2), colors.dark);
            EXPECT_EQ(PixelOf(button, 30, 3), GradientLine(f.top, f.bottom, 20, 1));
            EXPECT_EQ(PixelOf(button, 30, 21), GradientLine(f.top, f.bottom, 20, 19));
            EXPECT_EQ(PixelOf(button, 30, 22), colors.dark);
            EXPECT_EQ(PixelOf(button, 30, 23), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 23));
            EXPECT_EQ(PixelOf(button, 0, 10), colors.dark);
            EXPECT_EQ(PixelOf(button, kWidth - 1, 10), colors.dark);
        }

        button.SetState(4);
        EXPECT_EQ(PixelOf(button, 40, 0), colors.faceTop) << "disabled keeps the plain face";
        EXPECT_EQ(PixelOf(button, 40, 22), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 22));
        button.SetState(0);
    }
}

TEST_F(ZID_ButtonPaint, APressedDropDownOpensDownwardsWithoutABottomEdge) {
    button.SetThemeColor(0);
    const SchemeColors& blue = ColorsOf(ColorScheme::Blue);
    button.SetIsDropDown(true);
    button.SetState(2);
    EXPECT_EQ(PixelOf(button, 30, 2), blue.dark);
    EXPECT_EQ(PixelOf(button, 30, 3), GradientLine(blue.faceBottom, RgbColor(255, 255, 255), 26, 1));
    EXPECT_EQ(PixelOf(button, 30, 24), GradientLine(blue.faceBottom, RgbColor(255, 255, 255), 26, 22));
    EXPECT_EQ(PixelOf(button, 0, 24), blue.dark);
    EXPECT_EQ(PixelOf(button, kWidth - 1, 24), blue.dark);
}

TEST_F(ZID_ButtonPaint, TheDropDownArrowIsDrawnFlushRight) {
    button.SetThemeColor(1);
    button.SetIsDropDown(true);
    // The glyph's origin is (W - 16, 4); its triangle covers rows 10 to 13.
    const std::string drawn = testing::RenderArea(button.PicMain().Dc(), kWidth - 14, 9, kWidth - 4, 14,
                                                  [](COLORREF c) { return c == RGB(0, 0, 0) ? '#' : '.'; });
    EXPECT_EQ(drawn, "...........\n"
                     "..#######..\n"
                     "...#####...\n"
                     "....###....\n"
                     ".....#.....\n"
                     "...........\n");
    button.SetIsDropDown(false);
    button.SetState(0);
    EXPECT_NE(PixelOf(button, kWidth - 9, 10), RGB(0, 0, 0));
}

TEST_F(ZID_ButtonPaint, ADisabledButtonShowsItsIconGrayAndItsCaptionInGray) {
    button.SetPicture(RedIcon());
    button.SetCaption(L"IIII");
    EXPECT_EQ(PixelOf(button, 5, 5), RGB(255, 0, 0));
    const auto enabledInk = CaptionInk(button, L"IIII");
    ASSERT_FALSE(enabledInk.empty());

    button.SetState(4);
    EXPECT_EQ(PixelOf(button, 5, 5), RGB(84, 84, 84)) << "red turns gray";
    EXPECT_EQ(PixelOf(button, 16, 20), RGB(84, 84, 84));
    bool grayInk = false;
    for (const auto& [x, y] : enabledInk) {
        EXPECT_NE(PixelOf(button, x, y), RGB(0, 0, 0));
        grayInk = grayInk || PixelOf(button, x, y) == RGB(106, 106, 106);
    }
    EXPECT_TRUE(grayInk) << "the caption is drawn in RGB(106, 106, 106)";

    button.SetState(0);
    EXPECT_EQ(PixelOf(button, 5, 5), RGB(255, 0, 0)) << "enabling restores the colours";
}

TEST_F(ZID_ButtonPaint, TheFaceShowsThroughTheIconsTransparentPixels) {
    button.SetThemeColor(0);
    button.SetPicture(RedIcon());
    EXPECT_EQ(PixelOf(button, 5 + 13, 5),
              GradientLine(ColorsOf(ColorScheme::Blue).faceTop, ColorsOf(ColorScheme::Blue).faceBottom, kHeight, 5));
}

TEST_F(ZID_ButtonPaint, ADisabledBitmapPictureIsLeftOutButTheCaptionStays) {
    button.SetThemeColor(1);
    button.SetPicture(Picture::FromBitmap(testing::ScreenBitmap(16, 16, [](int, int) { return RGB(0, 0, 255); })));
    button.SetCaption(L"IIII");
    EXPECT_EQ(PixelOf(button, 10, 10), RGB(0, 0, 255));
    button.SetState(4);
    EXPECT_EQ(PixelOf(button, 10, 10), GradientLine(ColorsOf(ColorScheme::Silver).faceTop,
                                                    ColorsOf(ColorScheme::Silver).faceBottom, kHeight, 10));
    bool grayInk = false;
    for (int x = 25; x < kWidth; ++x) {
        for (int y = 0; y < kHeight; ++y) {
            grayInk = grayInk || PixelOf(button, x, y) == RGB(106, 106, 106);
        }
    }
    EXPECT_TRUE(grayInk);
}

TEST_F(ZID_ButtonPaint, AnAmpersandUnderlinesTheNextCharacterAndTwoDrawOne) {
    const auto plain = CaptionInk(button, L"AB");
    const auto prefixed = CaptionInk(button, L"&AB");
    ASSERT_FALSE(plain.empty());
    std::set<int> extraRows;
    for (const auto& pixel : plain) {
        EXPECT_TRUE(prefixed.count(pixel)) << "the ampersand itself takes no room";
    }
    for (const auto& pixel : prefixed) {
        if (!plain.count(pixel)) {
            extraRows.insert(pixel.second);
        }
    }
    EXPECT_EQ(extraRows.size(), 1u) << "only an underline is added";

    // "&&" draws what a lone "&" drawn without prefix processing draws.
    button.SetCaption(L"");
    testing::DibCanvas expected(kWidth, kHeight);
    BitBlt(expected.Dc(), 0, 0, kWidth, kHeight, button.PicMain().Dc(), 0, 0, SRCCOPY);
    {
        const win32::SelectedObject font(expected.Dc(), button.PicMain().Font());
        SetBkMode(expected.Dc(), TRANSPARENT);
        SetTextColor(expected.Dc(), RGB(0, 0, 0));
        RECT area{5, 0, kWidth, kHeight};
        DrawTextW(expected.Dc(), L"&", 1, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    }
    button.SetCaption(L"&&");
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            ASSERT_EQ(PixelOf(button, x, y), expected.Pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(ZID_ButtonPaint, ChangesWaitWhileTheLookIsRepeatedButShowAtOnceInStateZero) {
    button.SetState(1);
    const std::string hot = FaceImage(button);
    button.SetCaption(L"IIII");
    button.SetIsDropDown(true);
    button.SetPicture(RedIcon());
    EXPECT_EQ(FaceImage(button), hot) << "state 1 is not painted again";

    button.SetState(0);
    EXPECT_EQ(PixelOf(button, 5, 5), RGB(255, 0, 0));
    const std::string rest = FaceImage(button);
    button.SetCaption(L"");
    EXPECT_NE(FaceImage(button), rest) << "state 0 is painted at every change";
}

TEST_F(ZID_ButtonPaint, AStateWithoutAFaceLeavesThePreviousLook) {
    button.SetState(3);
    const std::string downHot = FaceImage(button);
    button.SetState(5);
    EXPECT_EQ(FaceImage(button), downHot);
    button.SetState(-2);
    EXPECT_EQ(FaceImage(button), downHot);
    button.SetState(0);
    EXPECT_NE(FaceImage(button), downHot);
}

TEST_F(ZID_ButtonPaint, ANewSchemeRepaintsADisabledButtonAtOnce) {
    button.SetThemeColor(0);
    button.SetState(4);
    EXPECT_EQ(PixelOf(button, 40, 0), ColorsOf(ColorScheme::Blue).faceTop);
    button.SetThemeColor(2);
    EXPECT_EQ(PixelOf(button, 40, 0), ColorsOf(ColorScheme::Olive).faceTop);
    button.SetCaption(L"IIII");
    EXPECT_EQ(PixelOf(button, 40, 0), ColorsOf(ColorScheme::Olive).faceTop);
}

TEST_F(ZID_ButtonPaint, WritingStateZeroToACheckButtonThatIsDownShowsItDown) {
    button.SetIsCheckButton(true);
    button.SetValue(1);
    button.SetState(4);
    button.SetState(0);
    EXPECT_EQ(button.State(), 2);
    EXPECT_EQ(PixelOf(button, 30, 2), ColorsOf(button.Scheme()).dark);
    EXPECT_EQ(PixelOf(button, 30, 3), GradientLine(RgbColor(254, 142, 75), RgbColor(254, 214, 145), 20, 1));
}

TEST_F(ZID_ButtonPaint, TheHeightStaysAt375TwipsWhateverTheHostAsks) {
    MoveWindow(button.Handle(), 10, 10, 120, 40, TRUE);
    RECT client{};
    GetClientRect(button.Handle(), &client);
    EXPECT_EQ(client.right, 120);
    EXPECT_EQ(client.bottom, 25);
    EXPECT_EQ(button.PicMain().Width(), 120);
    EXPECT_EQ(button.PicMain().Height(), 25);
    EXPECT_EQ(PixelOf(button, 119, 0), ColorsOf(button.Scheme()).faceTop) << "the new width is painted";
}

TEST_F(ZID_ButtonPaint, TheFaceReachesTheScreen) {
    button.SetThemeColor(0);
    button.SetState(1);
    testing::PumpUntil([&] {
        return testing::ScreenPixel(testing::OnScreen(button.Handle(), 30, 2)) == ColorsOf(ColorScheme::Blue).dark;
    });
    EXPECT_EQ(testing::ScreenPixel(testing::OnScreen(button.Handle(), 30, 2)), ColorsOf(ColorScheme::Blue).dark);
    EXPECT_EQ(testing::ScreenPixel(testing::OnScreen(button.Handle(), 30, 0)), ColorsOf(ColorScheme::Blue).faceTop);
}

TEST(ZID_ButtonResources, MakingPaintingAndDestroyingButtonsLeaksNoGdiObjects) {
    ControlHost& host = testing::SharedHost();
    const auto exercise = [&] {
        for (int i = 0; i < 5; ++i) {
            ZID_Button button(host.Handle(), 10, 10, kWidth);
            button.SetPicture(RedIcon());
            button.SetCaption(L"开启PAK文件");
            button.SetIsDropDown(true);
            for (std::int16_t state = 0; state <= 4; ++state) {
                button.SetState(state);
            }
            button.SetThemeColor(2);
            button.SetToolTipText(L"tip");
            MoveWindow(button.Handle(), 10, 10, 90, 25, TRUE);
        }
    };
    exercise();
    const int before = testing::FreeGdiSlots();
    exercise();
    EXPECT_EQ(testing::FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls
