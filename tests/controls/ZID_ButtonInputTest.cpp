// The button under the real pointer and mouse buttons: hover, press, release and what it reports.

#include "ZID_Button.hpp"

#include "ControlHost.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::controls {
namespace {

using testing::MovePointerTo;
using testing::PumpFor;
using testing::PumpUntil;
using testing::SendMouseButton;

constexpr POINT kAway{1200, 1000};

class ZID_ButtonInput : public ::testing::Test {
protected:
    void SetUp() override {
        MovePointerTo(kAway);
        PumpFor(30);
        button.SetThemeColor(0);
        button.MouseDown = [this](const MouseEventArgs& e) { events.push_back("down " + std::to_string(e.Button)); };
        button.MouseUp = [this](const MouseEventArgs& e) { events.push_back("up " + std::to_string(e.Button)); };
        button.Click = [this] { events.push_back("click"); };
        button.MouseMove = [this](const MouseEventArgs&) { ++moves; };
    }
    void TearDown() override {
        MovePointerTo(kAway);
        PumpUntil([&] { return !button.HoverTimerRunning(); });
    }

    POINT Over() const { return testing::OnScreen(button.Handle(), 50, 12); }
    // Waits for the button to see the pointer, unless it ignores the pointer (then a while).
    void PointAtButton() {
        MovePointerTo(Over());
        if (button.Enabled() && button.State() != 4) {
            PumpUntil([&] { return moves > 0; });
        } else {
            PumpFor(120);
        }
    }
    COLORREF FacePixel(int x, int y) const { return GetPixel(button.PicMain().Dc(), x, y); }
    bool LooksFramed() const { return FacePixel(30, 2) == ColorsOf(ColorScheme::Blue).dark; }
    // A release's events arrive with the messages that follow it.
    void Send(DWORD flags, std::size_t eventsExpected) {
        SendMouseButton(flags);
        PumpUntil([&] { return events.size() >= eventsExpected; });
    }

    testing::ControlHost& host = testing::SharedHost();
    ZID_Button button{host.Handle(), 20, 20, 100};
    std::vector<std::string> events;
    int moves = 0;
};

TEST_F(ZID_ButtonInput, ThePointerLightsTheButtonAndTheTimerStopsOnceItHasLeft) {
    EXPECT_FALSE(button.HoverTimerRunning()) << "stopped at creation";
    PointAtButton();
    ASSERT_TRUE(PumpUntil([&] { return button.State() == 1; }));
    EXPECT_TRUE(button.HoverTimerRunning());
    const POINT frame = testing::OnScreen(button.Handle(), 30, 2);
    PumpUntil([&] { return LooksFramed() && testing::ScreenPixel(frame) == ColorsOf(ColorScheme::Blue).dark; });
    EXPECT_TRUE(LooksFramed());
    EXPECT_EQ(testing::ScreenPixel(testing::OnScreen(button.Handle(), 30, 2)), ColorsOf(ColorScheme::Blue).dark);
    EXPECT_EQ(FacePixel(30, 3), VerticalGradient(RgbColor(255, 245, 206), RgbColor(255, 207, 142), 20).LineColor(1));

    MovePointerTo(kAway);
    ASSERT_TRUE(PumpUntil([&] { return !button.HoverTimerRunning(); }));
    EXPECT_EQ(button.State(), 0);
    EXPECT_FALSE(LooksFramed());
    EXPECT_FALSE(button.IsMouseOver());
    EXPECT_TRUE(events.empty()) << "hovering raises no button events";
}

TEST_F(ZID_ButtonInput, ALeftClickReportsPressReleaseAndClickInOrder) {
    PointAtButton();
    PumpUntil([&] { return button.State() == 1; });
    Send(MOUSEEVENTF_LEFTDOWN, 1);
    EXPECT_EQ(button.State(), 2);
    ASSERT_TRUE(PumpUntil([&] {
        return FacePixel(30, 3) == VerticalGradient(RgbColor(254, 142, 75), RgbColor(254, 214, 145), 20).LineColor(1);
    })) << "the pressed look follows at the next tick";
    Send(MOUSEEVENTF_LEFTUP, 3);
    EXPECT_EQ(events, (std::vector<std::string>{"down 1", "up 1", "click"}));
    EXPECT_TRUE(PumpUntil([&] { return button.State() == 1; })) << "hot again under the pointer";
}

TEST_F(ZID_ButtonInput, TheRightButtonsPressDoesNothingButItsReleaseClicks) {
    PointAtButton();
    PumpUntil([&] { return button.State() == 1; });
    SendMouseButton(MOUSEEVENTF_RIGHTDOWN);
    PumpFor(80);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(button.State(), 1);
    Send(MOUSEEVENTF_RIGHTUP, 2);
    EXPECT_EQ(events, (std::vector<std::string>{"up 2", "click"}));
}

TEST_F(ZID_ButtonInput, ACheckButtonHasToggledItsValueWhenTheClickArrives) {
    button.SetIsCheckButton(true);
    std::vector<int> valuesAtClick;
    button.Click = [&] { valuesAtClick.push_back(button.Value()); };
    PointAtButton();
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return valuesAtClick.size() == 1; }));
    EXPECT_EQ(valuesAtClick[0], 1);
    EXPECT_TRUE(PumpUntil([&] { return button.State() == 3; })) << "down and hot";

    MovePointerTo(kAway);
    EXPECT_TRUE(PumpUntil([&] { return button.State() == 2 && !button.HoverTimerRunning(); })) << "down";

    PointAtButton();
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return valuesAtClick.size() == 2; }));
    EXPECT_EQ(valuesAtClick[1], 0);
    EXPECT_TRUE(PumpUntil([&] { return button.State() == 1; }));
}

TEST_F(ZID_ButtonInput, AButtonThatIsNotEnabledIgnoresThePointerButLooksEnabled) {
    button.SetEnabled(false);
    PointAtButton();
    EXPECT_FALSE(button.HoverTimerRunning());
    EXPECT_EQ(button.State(), 0);
    EXPECT_FALSE(LooksFramed());
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpFor(80);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(FacePixel(40, 0), ColorsOf(ColorScheme::Blue).faceTop);
}

TEST_F(ZID_ButtonInput, ADisabledButtonIgnoresThePointer) {
    button.SetState(4);
    PointAtButton();
    EXPECT_FALSE(button.HoverTimerRunning());
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpFor(30);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    PumpFor(80);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(button.State(), 4);
}

TEST_F(ZID_ButtonInput, TheHostsToolTipReachesThePictureAreaWhenThePointerMovesOverIt) {
    button.SetToolTipText(L"开启PAK文件");
    EXPECT_EQ(button.PicMain().ToolTipText(), L"");
    PointAtButton();
    EXPECT_EQ(button.PicMain().ToolTipText(), L"开启PAK文件");
}

TEST_F(ZID_ButtonInput, AReleaseAfterThePointerLeftStillClicksAndRestsTheButton) {
    PointAtButton();
    Send(MOUSEEVENTF_LEFTDOWN, 1);
    MovePointerTo(kAway);
    ASSERT_TRUE(PumpUntil([&] { return !button.HoverTimerRunning(); }));
    EXPECT_EQ(button.State(), 2) << "still pressed while the button is held outside";
    Send(MOUSEEVENTF_LEFTUP, 3);
    EXPECT_EQ(events, (std::vector<std::string>{"down 1", "up 1", "click"}));
    EXPECT_TRUE(PumpUntil([&] { return !button.HoverTimerRunning() && !LooksFramed(); }))
        << "the resting look returns without the pointer coming back";
}

} // namespace
} // namespace quarrow::controls
