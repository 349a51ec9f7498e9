#pragma once
// The toolbar strip's right-end button: its three looks, how pressing, releasing and the pointer
// polling move between them, and the colours of each look.

#include "ToolbarSchemes.hpp"

#include <cstdint>
#include <optional>
#include <utility>

namespace quarrow::controls {

enum class RightButtonLook { Rest, Hot, Pressed };

// Top and bottom colour of the button's gradient in a look.
std::pair<OleColor, OleColor> RightButtonColors(RightButtonLook look, const SchemeColors& colors);

class RightButtonStateMachine {
public:
    // 0 normal, 1 hot, 2 pressed.
    std::int16_t State() const { return state_; }

    RightButtonLook Press();
    RightButtonLook Release();
    // One tick of the pointer polling: the look to repaint, or nothing when it stays as it is.
    std::optional<RightButtonLook> TimerTick(bool isOver);

private:
    std::int16_t state_ = 0;
};

} // namespace quarrow::controls
