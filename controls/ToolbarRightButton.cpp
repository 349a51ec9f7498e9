#include "ToolbarRightButton.hpp"

namespace quarrow::controls {

namespace {
constexpr std::int16_t kRest = 0;
constexpr std::int16_t kHot = 1;
constexpr std::int16_t kPressed = 2;
} // namespace

std::pair<OleColor, OleColor> RightButtonColors(RightButtonLook look, const SchemeColors& colors) {
    switch (look) {
    case RightButtonLook::Hot: return {RgbColor(255, 244, 204), RgbColor(255, 197, 125)};
    case RightButtonLook::Pressed: return {RgbColor(255, 154, 87), RgbColor(255, 212, 144)};
    case RightButtonLook::Rest: break;
    }
    return {colors.buttonTop, colors.buttonBottom};
}

RightButtonLook RightButtonStateMachine::Press() {
    state_ = kPressed;
    return RightButtonLook::Pressed;
}

RightButtonLook RightButtonStateMachine::Release() {
    state_ = kHot;
    return RightButtonLook::Hot;
}

std::optional<RightButtonLook> RightButtonStateMachine::TimerTick(bool isOver) {
    if (!isOver) {
        if (state_ == kHot || state_ == kPressed) {
            state_ = kRest;
            return RightButtonLook::Rest;
        }
        return std::nullopt;
    }
    if (state_ == kRest) {
        state_ = kHot;
        return RightButtonLook::Hot;
    }
    return std::nullopt;
}

} // namespace quarrow::controls
