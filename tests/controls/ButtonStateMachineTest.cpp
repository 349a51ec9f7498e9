#include "ButtonStateMachine.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

const SchemeColors& Blue() { return ColorsOf(ColorScheme::Blue); }

FacePaint Framed(OleColor top, OleColor bottom) { return FacePaint{bottom, top, FaceMode::Framed, kCaptionColor}; }

const FacePaint kHotFace = Framed(RgbColor(255, 245, 206), RgbColor(255, 207, 142));
const FacePaint kPressedFace = Framed(RgbColor(254, 142, 75), RgbColor(254, 214, 145));
const FacePaint kDownHotFace = Framed(RgbColor(255, 235, 99), RgbColor(255, 119, 0));

TEST(ButtonRepaint, ARepeatedStateOneToFourIsNotPaintedAgainButStateZeroIs) {
    ButtonStateMachine button;
    EXPECT_EQ(button.LastPaintedState(), -1);
    ASSERT_TRUE(button.DrawButton(false, false, Blue()));
    EXPECT_TRUE(button.DrawButton(false, false, Blue())) << "state 0 is always repainted";
    for (std::int16_t state = 1; state <= 4; ++state) {
        button.state = state;
        EXPECT_TRUE(button.DrawButton(false, false, Blue())) << "first paint of state " << state;
        EXPECT_FALSE(button.DrawButton(false, false, Blue())) << "second paint of state " << state;
    }
}

TEST(ButtonRepaint, AStateWithoutAFaceIsRememberedAndPaintsNothing) {
    ButtonStateMachine button;
    button.state = 1;
    ASSERT_TRUE(button.DrawButton(false, false, Blue()));
    button.state = 5;
    EXPECT_FALSE(button.DrawButton(false, false, Blue()));
    EXPECT_EQ(button.LastPaintedState(), 5);
    button.state = 1;
    EXPECT_EQ(button.DrawButton(false, false, Blue()), kHotFace) << "state 1 again after 5 is a change";
}

TEST(ButtonRepaint, ACheckButtonTakesItsStateFromItsValueAndThePointer) {
    const struct {
        std::int16_t value;
        bool isDropDown;
        bool isOver;
        std::int16_t expected;
    } cases[] = {
        {0, false, false, 0}, {1, false, false, 2}, {0, false, true, 1}, {1, false, true, 3},
        {1, true, true, 2},   {1, true, false, 2},  {7, false, true, 1}, {7, false, false, 0},
    };
    for (const auto& c : cases) {
        ButtonStateMachine button;
        button.isCheckButton = true;
        button.isDropDown = c.isDropDown;
        button.value = c.value;
        button.state = 3;
        button.DrawButton(c.isOver, false, Blue());
        EXPECT_EQ(button.state, c.expected)
            << "value " << c.value << " drop-down " << c.isDropDown << " over " << c.isOver;
    }
}

TEST(ButtonRepaint, TheStateIsKeptWhenTheTimerAsksOrTheButtonIsDisabled) {
    ButtonStateMachine button;
    button.isCheckButton = true;
    button.value = 1;
    button.state = 1;
    button.DrawButton(false, true, Blue());
    EXPECT_EQ(button.state, 1);
    button.state = 4;
    EXPECT_EQ(button.DrawButton(true, false, Blue())->mode, FaceMode::Disabled);
    EXPECT_EQ(button.state, 4);
}

TEST(ButtonRepaint, EnablingACheckButtonThatIsDownShowsItDown) {
    ButtonStateMachine button;
    button.isCheckButton = true;
    button.value = 1;
    button.state = 4;
    button.DrawButton(false, false, Blue());
    button.state = 0;
    EXPECT_EQ(button.DrawButton(false, false, Blue()), kPressedFace);
    EXPECT_EQ(button.state, 2);
}

TEST(ButtonHover, APlainButtonLightsUpWhileThePointerIsOverItAndShowsThePressAtTheNextTick) {
    ButtonStateMachine button;
    button.DrawButton(false, false, Blue());
    EXPECT_EQ(button.TimerTick(true, Blue()), kHotFace);
    EXPECT_FALSE(button.TimerTick(true, Blue())) << "nothing changed, nothing painted";

    const auto press = button.Press(mouse_button::kLeft);
    EXPECT_TRUE(press.accepted);
    EXPECT_FALSE(press.immediateFace);
    EXPECT_EQ(button.state, 2);
    EXPECT_EQ(button.TimerTick(true, Blue()), kPressedFace);

    EXPECT_TRUE(button.Release());
    EXPECT_EQ(button.state, 0);
    EXPECT_EQ(button.TimerTick(true, Blue()), kHotFace);
    EXPECT_EQ(button.TimerTick(false, Blue()), FaceForState(0, false, Blue()));
    EXPECT_EQ(button.state, 0);
}

TEST(ButtonHover, APressedPlainButtonStaysPressedWhenThePointerLeaves) {
    ButtonStateMachine button;
    button.Press(mouse_button::kLeft);
    button.TimerTick(true, Blue());
    EXPECT_FALSE(button.TimerTick(false, Blue()));
    EXPECT_EQ(button.state, 2);
}

TEST(ButtonHover, ACheckButtonGoesDownOnReleaseAndShowsDownAndHotAtTheNextTick) {
    ButtonStateMachine button;
    button.isCheckButton = true;
    button.TimerTick(true, Blue());
    EXPECT_EQ(button.state, 1);

    const auto press = button.Press(mouse_button::kLeft);
    EXPECT_EQ(press.immediateFace, kPressedFace) << "a check button shows the press at once";
    EXPECT_EQ(button.LastPaintedState(), 1) << "the immediate paint does not count as a painted state";
    EXPECT_TRUE(button.Release());
    EXPECT_EQ(button.value, 1) << "the value is toggled before the click is reported";
    EXPECT_EQ(button.TimerTick(true, Blue()), kDownHotFace);
    EXPECT_EQ(button.TimerTick(false, Blue()), kPressedFace);

    button.TimerTick(true, Blue());
    button.Press(mouse_button::kLeft);
    button.Release();
    EXPECT_EQ(button.value, 0);
    EXPECT_EQ(button.TimerTick(true, Blue()), kHotFace);
}

TEST(ButtonHover, ADownDropDownCheckButtonStaysOpenUnderThePointer) {
    ButtonStateMachine button;
    button.isCheckButton = true;
    button.isDropDown = true;
    button.value = 1;
    const auto face = button.TimerTick(true, Blue());
    EXPECT_EQ(button.state, 2);
    EXPECT_EQ(face->mode, FaceMode::Open);
}

TEST(ButtonHover, ACheckButtonWithAnotherValueKeepsItAndItsState) {
    ButtonStateMachine button;
    button.isCheckButton = true;
    button.value = 2;
    button.state = 0;
    button.TimerTick(true, Blue());
    EXPECT_EQ(button.state, 0);
    button.Press(mouse_button::kLeft);
    EXPECT_TRUE(button.Release());
    EXPECT_EQ(button.value, 2);
    EXPECT_EQ(button.state, 2);
}

TEST(ButtonHover, ADisabledButtonIsNotLitByThePointer) {
    for (const bool isCheckButton : {false, true}) {
        ButtonStateMachine button;
        button.isCheckButton = isCheckButton;
        button.state = 4;
        button.DrawButton(false, false, Blue());
        EXPECT_FALSE(button.TimerTick(true, Blue()));
        EXPECT_FALSE(button.TimerTick(false, Blue()));
        EXPECT_EQ(button.state, 4) << "check button " << isCheckButton;
    }
}

TEST(ButtonInput, OnlyALeftPressCountsButEveryReleaseClicks) {
    ButtonStateMachine button;
    EXPECT_FALSE(button.Press(mouse_button::kRight).accepted);
    EXPECT_FALSE(button.Press(mouse_button::kMiddle).accepted);
    EXPECT_FALSE(button.Press(mouse_button::kLeft | mouse_button::kRight).accepted);
    EXPECT_EQ(button.state, 0);
    EXPECT_TRUE(button.Release()) << "a right-button release clicks";
}

TEST(ButtonInput, ADisabledOrInertButtonIgnoresTheMouse) {
    ButtonStateMachine disabled;
    disabled.state = 4;
    EXPECT_FALSE(disabled.Press(mouse_button::kLeft).accepted);
    EXPECT_FALSE(disabled.Release());
    EXPECT_EQ(disabled.state, 4);

    ButtonStateMachine inert;
    inert.enabled = false;
    inert.isCheckButton = true;
    EXPECT_FALSE(inert.Press(mouse_button::kLeft).accepted);
    EXPECT_FALSE(inert.Release());
    EXPECT_EQ(inert.state, 0);
    EXPECT_EQ(inert.value, 0);
    EXPECT_EQ(inert.DrawButton(false, false, Blue())->mode, FaceMode::Plain) << "it still looks enabled";
}

} // namespace
} // namespace quarrow::controls
