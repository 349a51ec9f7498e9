// The toolbar strip: its painted areas, the right-end button under the real pointer, its layout,
// the controls placed on it, its settings.

#include "JCToolbar.hpp"

#include "ControlHost.hpp"
#include "GdiProbe.hpp"
#include "ZID_Button.hpp"
#include "ucVertical3DLine.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::controls {
namespace {

using testing::MovePointerTo;
using testing::PumpFor;
using testing::PumpUntil;
using testing::RenderArea;

constexpr POINT kAway{1200, 1000};
constexpr OleColor kHost = RgbColor(212, 208, 200);
constexpr int kHeight = 26;

COLORREF GradientLine(OleColor top, OleColor bottom, int count, int line) {
    return VerticalGradient(top, bottom, count).LineColor(line);
}

char BlackOrWhite(COLORREF c) { return c == RGB(0, 0, 0) ? 'B' : c == RGB(255, 255, 255) ? 'W' : '.'; }

class JCToolbarTest : public ::testing::Test {
protected:
    void SetUp() override {
        toolbar.HostBackColor = [] { return kHost; };
        toolbar.PropertyChanged = [this](std::wstring_view name) { changed.emplace_back(name); };
        toolbar.SetThemeColor(0);
        changed.clear();
    }

    testing::ControlHost& host = testing::SharedHost();
    JCToolbar toolbar{host.Handle(), 0, 100, 300};
    std::vector<std::wstring> changed;
};

TEST_F(JCToolbarTest, TheStripIsAGradientWithADarkerBottomLineInEveryScheme) {
    for (const auto& [themeColor, scheme] :
         {std::pair{0, ColorScheme::Blue}, std::pair{1, ColorScheme::Silver}, std::pair{3, ColorScheme::Olive}}) {
        toolbar.SetThemeColor(themeColor);
        const SchemeColors& colors = ColorsOf(scheme);
        const HDC grad = toolbar.PicGrad().Dc();
        EXPECT_EQ(GetPixel(grad, 100, 0), colors.faceTop) << themeColor;
        EXPECT_EQ(GetPixel(grad, 100, 12), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 12));
        EXPECT_EQ(GetPixel(grad, 100, 24), GradientLine(colors.faceTop, colors.faceBottom, kHeight, 24));
        EXPECT_EQ(GetPixel(grad, 0, 25), colors.bottomLine);
        EXPECT_EQ(GetPixel(grad, toolbar.PicGrad().Width() - 1, 25), colors.bottomLine);
        EXPECT_EQ(GetPixel(toolbar.PicRight().Dc(), 8, 2),
                  GradientLine(colors.buttonTop, colors.buttonBottom, kHeight, 2));
    }
}

TEST_F(JCToolbarTest, TheLeftCapHasRoundedCornersAndFourGripDots) {
    const HDC cap = toolbar.PicLeft().Dc();
    EXPECT_EQ(toolbar.PicLeft().Width(), 9);
    EXPECT_EQ(GetPixel(cap, 0, 0), kHost);
    EXPECT_EQ(GetPixel(cap, 0, 25), kHost);
    EXPECT_EQ(GetPixel(cap, 0, 24), kHost);
    EXPECT_EQ(GetPixel(cap, 1, 25), kHost);
    EXPECT_EQ(GetPixel(cap, 1, 0), RGB(238, 246, 254)) << "white mixed with the blue face top";
    EXPECT_EQ(GetPixel(cap, 0, 1), RGB(238, 246, 254));
    EXPECT_EQ(GetPixel(cap, 1, 23), RGB(64, 84, 177)) << "dark mixed with the face bottom";
    EXPECT_EQ(GetPixel(cap, 0, 23), RGB(170, 188, 213)) << "host mixed with the face bottom";
    EXPECT_EQ(GetPixel(cap, 1, 24), RGB(170, 188, 213));
    EXPECT_EQ(GetPixel(cap, 2, 25), RGB(59, 97, 156)) << "the bottom line starts at column 2";
    EXPECT_EQ(GetPixel(cap, 8, 0), RGB(221, 236, 254));

    const std::string grip = RenderArea(cap, 2, 3, 8, 21, [](COLORREF c) {
        return c == RGB(0, 0, 128) ? 'D' : c == RGB(255, 255, 255) ? 'W' : '.';
    });
    const std::string dot = "..DD...\n"
                            "..DDW..\n"
                            "...WW..\n"
                            ".......\n";
    EXPECT_EQ(grip, ".......\n" + dot + dot + dot + dot + ".......\n" + ".......\n");
}

TEST_F(JCToolbarTest, TheRightEndButtonHasABarAnArrowWithAShadowAndRoundedCorners) {
    const HDC right = toolbar.PicRight().Dc();
    EXPECT_EQ(RenderArea(right, 4, 14, 14, 23, BlackOrWhite), "...........\n"
                                                              "..BBBBBBB..\n"
                                                              "...WWWWWWW.\n"
                                                              "...........\n"
                                                              "..BBBBBBB..\n"
                                                              "...BBBBBWW.\n"
                                                              "....BBBWW..\n"
                                                              ".....BWW...\n"
                                                              "......W....\n"
                                                              "...........\n");
    std::string blank;
    for (int row = 0; row < 6; ++row) {
        blank += "...........\n";
    }
    EXPECT_EQ(RenderArea(right, 4, 4, 14, 9, BlackOrWhite), blank) << "no overflow marks by default";

    const SchemeColors& blue = ColorsOf(ColorScheme::Blue);
    EXPECT_EQ(GetPixel(right, 14, 0), kHost);
    EXPECT_EQ(GetPixel(right, 14, 25), kHost);
    EXPECT_EQ(GetPixel(right, 13, 0), MixColors(kHost, blue.buttonTop));
    EXPECT_EQ(GetPixel(right, 0, 0), MixColors(kHost, blue.buttonTop));
    EXPECT_EQ(GetPixel(right, 1, 0), blue.buttonTop);
    EXPECT_EQ(GetPixel(right, 1, 25), blue.buttonBottom);
    EXPECT_EQ(GetPixel(right, 0, 25), MixColors(kHost, blue.buttonBottom));
    EXPECT_EQ(GetPixel(right, 0, 12), GradientLine(blue.faceTop, blue.faceBottom, kHeight, 12))
        << "the two left columns continue the strip";
}

TEST_F(JCToolbarTest, IsStrechAddsTwoOverflowMarks) {
    toolbar.SetIsStrech(true);
    EXPECT_EQ(changed, std::vector<std::wstring>{L"IsStrech"});
    EXPECT_EQ(RenderArea(toolbar.PicRight().Dc(), 5, 4, 13, 9, BlackOrWhite), ".........\n"
                                                                              ".B...B...\n"
                                                                              ".BB..BB..\n"
                                                                              ".BWW.BWW.\n"
                                                                              "..W...W..\n"
                                                                              ".........\n");
    toolbar.SetIsStrech(false);
    EXPECT_EQ(GetPixel(toolbar.PicRight().Dc(), 6, 6),
              GradientLine(RgbColor(118, 167, 241), RgbColor(0, 53, 145), kHeight, 6));
}

TEST_F(JCToolbarTest, TheRightEndButtonLightsUpIsPressedClicksAndRestsWhenThePointerLeaves) {
    int clicks = 0;
    toolbar.ButtonClick = [&] { ++clicks; };
    const HDC right = toolbar.PicRight().Dc();
    const auto looks = [&](OleColor top, OleColor bottom) {
        return GetPixel(right, 8, 3) == GradientLine(top, bottom, kHeight, 3);
    };
    MovePointerTo(kAway);
    PumpUntil([&] { return !toolbar.RightTimerRunning(); });
    EXPECT_FALSE(toolbar.RightTimerRunning());

    MovePointerTo(testing::OnScreen(toolbar.PicRight().Handle(), 7, 8));
    ASSERT_TRUE(PumpUntil([&] { return looks(RgbColor(255, 244, 204), RgbColor(255, 197, 125)); })) << "hot";
    EXPECT_EQ(toolbar.RightButtonState(), 1);
    EXPECT_TRUE(toolbar.RightTimerRunning());

    testing::SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return looks(RgbColor(255, 154, 87), RgbColor(255, 212, 144)); })) << "pressed";
    EXPECT_EQ(toolbar.RightButtonState(), 2);
    testing::SendMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_TRUE(looks(RgbColor(255, 244, 204), RgbColor(255, 197, 125)));
    EXPECT_EQ(toolbar.RightButtonState(), 1);

    MovePointerTo(kAway);
    ASSERT_TRUE(PumpUntil([&] { return !toolbar.RightTimerRunning(); }));
    EXPECT_EQ(toolbar.RightButtonState(), 0);
    EXPECT_TRUE(looks(RgbColor(118, 167, 241), RgbColor(0, 53, 145)));
    EXPECT_EQ(clicks, 1);

    // Pressed, dragged off and released outside: the button rests again.
    MovePointerTo(testing::OnScreen(toolbar.PicRight().Handle(), 7, 8));
    ASSERT_TRUE(PumpUntil([&] { return toolbar.RightButtonState() == 1; }));
    testing::SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return toolbar.RightButtonState() == 2; }));
    MovePointerTo(kAway);
    ASSERT_TRUE(PumpUntil([&] { return !toolbar.RightTimerRunning(); }));
    testing::SendMouseButton(MOUSEEVENTF_LEFTUP);
    // The release, and the ticks after it.
    PumpUntil([&] {
        return !toolbar.RightTimerRunning() && toolbar.RightButtonState() == 0 &&
               looks(RgbColor(118, 167, 241), RgbColor(0, 53, 145));
    });
    EXPECT_FALSE(toolbar.RightTimerRunning());
    EXPECT_EQ(toolbar.RightButtonState(), 0);
    EXPECT_TRUE(looks(RgbColor(118, 167, 241), RgbColor(0, 53, 145)));
}

TEST_F(JCToolbarTest, TheLeftCapPassesTheMouseOn) {
    std::vector<std::string> events;
    toolbar.MouseMove = [&](const MouseEventArgs&) {
        if (events.empty()) {
            events.push_back("move");
        }
    };
    toolbar.MouseDown = [&](const MouseEventArgs& e) { events.push_back("down " + std::to_string(e.Button)); };
    toolbar.MouseUp = [&](const MouseEventArgs& e) {
        events.push_back("up " + std::to_string(e.Button) + " at " + std::to_string(static_cast<int>(e.X)) + "," +
                         std::to_string(static_cast<int>(e.Y)));
    };
    MovePointerTo(testing::OnScreen(toolbar.PicLeft().Handle(), 4, 10));
    PumpUntil([&] { return !events.empty(); });
    testing::SendMouseButton(MOUSEEVENTF_RIGHTDOWN);
    testing::SendMouseButton(MOUSEEVENTF_RIGHTUP);
    PumpUntil([&] { return events.size() == 3; });
    EXPECT_EQ(events, (std::vector<std::string>{"move", "down 2", "up 2 at 4,10"}));
    MovePointerTo(kAway);
    PumpFor(30);
}

TEST_F(JCToolbarTest, ResizingKeepsTheHeightAndPutsTheRightEndButtonAtTheRightEdge) {
    MoveWindow(toolbar.Handle(), 0, 100, 420, 60, TRUE);
    RECT client{};
    GetClientRect(toolbar.Handle(), &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 26);
    RECT right{};
    GetWindowRect(toolbar.PicRight().Handle(), &right);
    MapWindowPoints(HWND_DESKTOP, toolbar.Handle(), reinterpret_cast<POINT*>(&right), 2);
    EXPECT_EQ(right.left, 405);
    EXPECT_EQ(right.right, 420);
    EXPECT_EQ(right.bottom, 26);
    EXPECT_EQ(toolbar.PicGrad().Width(), 396);
    EXPECT_EQ(GetPixel(toolbar.PicGrad().Dc(), 395, 25), RGB(59, 97, 156)) << "the widened middle is painted";
    const POINT corner = testing::OnScreen(toolbar.Handle(), 419, 0);
    PumpUntil([&] { return testing::ScreenPixel(corner) == kHost; });
    EXPECT_EQ(testing::ScreenPixel(corner), kHost) << "on the screen too";
}

TEST_F(JCToolbarTest, TheStripPaintsOnlyBehindTheControlsPlacedOnIt) {
    ZID_Button button(toolbar.Handle(), 16, 0, 60);
    button.SetThemeColor(0);
    button.SetState(1);
    toolbar.DrawTheme();
    toolbar.SetIsStrech(true);
    const POINT frame = testing::OnScreen(button.Handle(), 30, 2);
    PumpUntil([&] { return testing::ScreenPixel(frame) == RGB(0, 0, 128); });
    EXPECT_EQ(testing::ScreenPixel(frame), RGB(0, 0, 128)) << "the button's frame is still on the screen";
    EXPECT_EQ(testing::ScreenPixel(testing::OnScreen(toolbar.Handle(), 100, 0)), RGB(221, 236, 254));
}

TEST_F(JCToolbarTest, TheCornersFollowTheHostsBackgroundByDefault) {
    JCToolbar plain(host.Handle(), 0, 140, 100);
    plain.SetThemeColor(1);
    EXPECT_EQ(GetPixel(plain.PicLeft().Dc(), 0, 0), testing::ControlHost::kBackground);
    EXPECT_EQ(GetPixel(plain.PicRight().Dc(), 14, 25), testing::ControlHost::kBackground);
}

TEST_F(JCToolbarTest, SettersReportAndSettingsSurviveASaveAndLoad) {
    toolbar.SetBackColor(RgbColor(1, 2, 3));
    toolbar.SetIsStrech(true);
    toolbar.SetThemeColor(2);
    EXPECT_EQ(changed, (std::vector<std::wstring>{L"BackColor", L"IsStrech", L"ThemeColor"}));
    EXPECT_EQ(toolbar.PicLeft().BackColor(), RgbColor(1, 2, 3));
    EXPECT_EQ(toolbar.PicRight().BackColor(), RgbColor(1, 2, 3));

    PropertyBag bag;
    toolbar.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"BackColor", L"ThemeColor", L"IsStrech"}));
    JCToolbar loaded(host.Handle(), 0, 140, 200);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.BackColor(), RgbColor(1, 2, 3));
    EXPECT_EQ(loaded.ThemeColor(), 2);
    EXPECT_TRUE(loaded.IsStrech());
    EXPECT_EQ(loaded.PicRight().BackColor(), RgbColor(1, 2, 3));
    EXPECT_EQ(GetPixel(loaded.PicGrad().Dc(), 50, 0), ColorsOf(ColorScheme::Olive).faceTop);

    loaded.ReadProperties(PropertyBag());
    EXPECT_EQ(loaded.BackColor(), RgbColor(255, 255, 255));
    EXPECT_EQ(loaded.ThemeColor(), 4);
    EXPECT_FALSE(loaded.IsStrech());
    PropertyBag defaults;
    loaded.WriteProperties(defaults);
    EXPECT_TRUE(defaults.Keys().empty());
}

TEST_F(JCToolbarTest, AFirstPlacementTakesTheHostsBackground) {
    toolbar.HostBackColor = [] { return OleColor{0x8000000F}; };
    toolbar.InitProperties();
    EXPECT_EQ(toolbar.BackColor(), 0x8000000Fu);
    EXPECT_EQ(toolbar.PicLeft().BackColor(), 0x8000000Fu);
    EXPECT_EQ(GetPixel(toolbar.PicLeft().Dc(), 0, 0), GetSysColor(COLOR_BTNFACE)) << "a system colour is translated";
}

TEST(JCToolbarResources, MakingPaintingAndDestroyingStripsAndSeparatorsLeaksNoGdiObjects) {
    testing::ControlHost& host = testing::SharedHost();
    const auto exercise = [&] {
        for (int i = 0; i < 5; ++i) {
            JCToolbar toolbar(host.Handle(), 0, 100, 300);
            ZID_Button button(toolbar.Handle(), 16, 0, 60);
            ucVertical3DLine separator(toolbar.Handle(), 80, 3, 20);
            MoveWindow(separator.Handle(), 80, 3, 6, 22, TRUE);
            toolbar.SetThemeColor(i % 3);
            toolbar.SetIsStrech(true);
            MoveWindow(toolbar.Handle(), 0, 100, 350, 26, TRUE);
        }
    };
    exercise();
    const int before = testing::FreeGdiSlots();
    exercise();
    EXPECT_EQ(testing::FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls
