#pragma once
// What the toolbar button shows and how it moves between its looks: the state a check button derives
// from its value and the pointer, the rule that a repeated look is not painted twice, the hover timer's
// ticks and the press and release rules. No window here: the control feeds events in and paints the
// faces that come out.

#include "ToolbarSchemes.hpp"

#include <cstdint>
#include <optional>

namespace quarrow::controls {

// Values of the button's `State`.
namespace button_state {
inline constexpr std::int16_t kNormal = 0;
inline constexpr std::int16_t kHot = 1;
inline constexpr std::int16_t kPressed = 2; // also a check button that is down
inline constexpr std::int16_t kDownHot = 3; // a check button that is down, with the pointer over it
inline constexpr std::int16_t kDisabled = 4;
} // namespace button_state

// The mouse button numbers the control's events carry (several may be combined while moving).
namespace mouse_button {
inline constexpr std::int16_t kLeft = 1;
inline constexpr std::int16_t kRight = 2;
inline constexpr std::int16_t kMiddle = 4;
} // namespace mouse_button

inline constexpr OleColor kCaptionColor = RgbColor(0, 0, 0);
inline constexpr OleColor kDisabledCaptionColor = RgbColor(106, 106, 106);

enum class FaceMode {
    Plain,    // the scheme's gradient only
    Framed,   // a framed gradient box over rows 2 to H − 3
    Open,     // a box whose bottom edge lies below the button (the open drop-down)
    Disabled, // the plain face with a gray picture
};

// One complete paint of the face: the box gradient runs from `second` (top) to `first` (bottom) when
// framed, from `first` to `second` when open.
struct FacePaint {
    OleColor first;
    OleColor second;
    FaceMode mode;
    OleColor captionColor;

    friend bool operator==(const FacePaint&, const FacePaint&) = default;
};

// The face of a state; nothing for values outside 0 to 4.
std::optional<FacePaint> FaceForState(std::int16_t state, bool isDropDown, const SchemeColors& colors);

// The look a check button shows the moment it is pressed, before any timer tick.
FacePaint PressedCheckButtonFace();

class ButtonStateMachine {
public:
    // The button's properties that decide its look; the control stores them here.
    std::int16_t state = button_state::kNormal;
    std::int16_t value = 0;
    bool isCheckButton = false;
    bool isDropDown = false;
    bool enabled = true;

    // Brings a check button's state up to date (unless the timer asks or the button is disabled) and
    // answers the face to paint; nothing when the state is the one painted last (states 1 to 4) or
    // has no face. Remembers the state as painted either way.
    std::optional<FacePaint> DrawButton(bool isOver, bool fromTimer, const SchemeColors& colors);

    // One tick of the hover timer, with whether the pointer is over the button: moves between the
    // resting and hot looks, then DrawButton(isOver, true).
    std::optional<FacePaint> TimerTick(bool isOver, const SchemeColors& colors);

    struct PressOutcome {
        bool accepted = false;
        std::optional<FacePaint> immediateFace; // a check button shows its pressed look at once
    };
    // A mouse button went down. Only the left button on an enabled button counts.
    PressOutcome Press(std::int16_t button);

    // Any mouse button came up. True when the release counts (the button is enabled): a check button
    // has then toggled its value (0 and 1 only), a plain button is back to normal, and a click follows.
    bool Release();

    bool AcceptsInput() const { return state != button_state::kDisabled && enabled; }
    std::int16_t LastPaintedState() const { return lastPainted_; }

private:
    std::int16_t lastPainted_ = -1;
};

} // namespace quarrow::controls
