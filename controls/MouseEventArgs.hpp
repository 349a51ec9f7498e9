#pragma once
// What the controls' mouse events carry: the button (for a move, every button held; for a press or
// release, the one that changed: 1 left, 2 right, 4 middle), the shift keys held (1 Shift, 2 Ctrl,
// 4 Alt) and the position in pixels of the area that received it.

#include <cstdint>

namespace quarrow::controls {

struct MouseEventArgs {
    std::int16_t Button = 0;
    std::int16_t Shift = 0;
    float X = 0.0f;
    float Y = 0.0f;
};

} // namespace quarrow::controls
