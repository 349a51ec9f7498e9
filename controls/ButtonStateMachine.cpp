#include "ButtonStateMachine.hpp"

namespace quarrow::controls {

namespace {

constexpr OleColor kWhite = RgbColor(255, 255, 255);

// A check button's look for the pointer's position and its value.
std::int16_t CheckButtonState(std::int16_t value, bool isDropDown, bool isOver) {
    if (isOver) {
        if (value != 1) {
            return button_state::kHot;
        }
        return isDropDown ? button_state::kPressed : button_state::kDownHot;
    }
    return value == 1 ? button_state::kPressed : button_state::kNormal;
}

} // namespace

std::optional<FacePaint> FaceForState(std::int16_t state, bool isDropDown, const SchemeColors& colors) {
    switch (state) {
    case button_state::kNormal: return FacePaint{colors.faceBottom, colors.faceTop, FaceMode::Plain, kCaptionColor};
    case button_state::kHot:
        return FacePaint{RgbColor(255, 207, 142), RgbColor(255, 245, 206), FaceMode::Framed, kCaptionColor};
    case button_state::kPressed:
        if (isDropDown) {
            return FacePaint{colors.faceBottom, kWhite, FaceMode::Open, kCaptionColor};
        }
        return PressedCheckButtonFace();
    case button_state::kDownHot:
        return FacePaint{RgbColor(255, 119, 0), RgbColor(255, 235, 99), FaceMode::Framed, kCaptionColor};
    case button_state::kDisabled:
        return FacePaint{colors.faceBottom, colors.faceTop, FaceMode::Disabled, kDisabledCaptionColor};
    default: return std::nullopt;
    }
}

FacePaint PressedCheckButtonFace() {
    return FacePaint{RgbColor(254, 214, 145), RgbColor(254, 142, 75), FaceMode::Framed, kCaptionColor};
}

std::optional<FacePaint> ButtonStateMachine::DrawButton(bool isOver, bool fromTimer, const SchemeColors& colors) {
    if (!fromTimer && state != button_state::kDisabled && isCheckButton) {
        state = CheckButtonState(value, isDropDown, isOver);
    }
    if (lastPainted_ > 0 && lastPainted_ == state) {
        return std::nullopt;
    }
    lastPainted_ = state;
    return FaceForState(state, isDropDown, colors);
}

std::optional<FacePaint> ButtonStateMachine::TimerTick(bool isOver, const SchemeColors& colors) {
    // A button the host disabled while the pointer was on it stays disabled; only the host enables it.
    if (state != button_state::kDisabled) {
        if (!isOver) {
            if (state == button_state::kHot) {
                state = button_state::kNormal;
            } else if (state == button_state::kDownHot) {
                state = button_state::kPressed;
            }
        } else if (isCheckButton) {
            if (value == 0 || value == 1) {
                state = CheckButtonState(value, isDropDown, true);
            }
        } else if (state == button_state::kNormal) {
            state = button_state::kHot;
        }
    }
    return DrawButton(isOver, true, colors);
}

ButtonStateMachine::PressOutcome ButtonStateMachine::Press(std::int16_t button) {
    if (!AcceptsInput() || button != mouse_button::kLeft) {
        return {};
    }
    state = button_state::kPressed;
    if (isCheckButton) {
        return {true, PressedCheckButtonFace()};
    }
    return {true, std::nullopt};
}

bool ButtonStateMachine::Release() {
    if (!AcceptsInput()) {
        return false;
    }
    if (isCheckButton) {
        if (value == 0) {
            value = 1;
        } else if (value == 1) {
            value = 0;
        }
    } else {
        state = button_state::kNormal;
    }
    return true;
}

} // namespace quarrow::controls
