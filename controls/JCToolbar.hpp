#pragma once
// The toolbar strip that carries a row of toolbar buttons: a 26-pixel-high band with a vertical
// gradient in the current colour scheme and a darker bottom line, a cap with four grip dots at the
// left, and a right-end button with a small down arrow (and, optionally, two overflow marks) that
// lights up under the pointer and reports ButtonClick. It is always 390 twips high.
//
// Buttons and separators are placed on the strip by creating them as its children (parent Handle());
// the strip paints only behind them and never moves them. It paints on three child areas, PicLeft
// (the cap), PicGrad (the middle) and PicRight (the right-end button), which it keeps under every
// control placed on it.

#include "ColorMath.hpp"
#include "IntervalTimer.hpp"
#include "MouseEventArgs.hpp"
#include "PictureArea.hpp"
#include "PropertyBag.hpp"
#include "ToolbarRightButton.hpp"
#include "ToolbarSchemes.hpp"
#include "Window.hpp"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace quarrow::controls {

class JCToolbar : public win32::Window {
public:
    // Creates the strip as a child of `parent` at (x, y), `width` pixels wide. Throws when the system
    // cannot create its windows.
    JCToolbar(HWND parent, int x, int y, int width);
    ~JCToolbar() override;

    // The host's first placement: the background becomes the host's.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // 0 blue, 1 silver, 2 and 3 olive, 4 the system's scheme, anything else silver.
    std::int32_t ThemeColor() const { return themeColor_; }
    void SetThemeColor(std::int32_t themeColor);
    // Shows the two overflow marks on the right-end button.
    bool IsStrech() const { return isStrech_; }
    void SetIsStrech(bool isStrech);
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor colour);

    // Repaints the whole strip.
    void DrawTheme();
    // Whether the pointer is over the right-end button now; keeps its timer running exactly while it is.
    bool IsMouseOverRight();

    ColorScheme Scheme() const { return scheme_; }
    const PictureArea& PicLeft() const { return *picLeft_; }
    const PictureArea& PicGrad() const { return *picGrad_; }
    const PictureArea& PicRight() const { return *picRight_; }
    std::int16_t RightButtonState() const { return rightButton_.State(); }
    bool RightTimerRunning() const { return tmrRight_ && tmrRight_->Running(); }

    std::function<void()> ButtonClick;
    // Forwarded from the left cap.
    std::function<void(const MouseEventArgs&)> MouseDown;
    std::function<void(const MouseEventArgs&)> MouseMove;
    std::function<void(const MouseEventArgs&)> MouseUp;
    std::function<void(std::wstring_view property)> PropertyChanged;

    // The host's current background colour, which shows in the strip's rounded corners; read at every
    // paint. By default the parent window's class background.
    std::function<OleColor()> HostBackColor;
    // Where ThemeColor 4 finds the system's scheme (see ZID_Button).
    std::function<ColorScheme(HWND)> SystemSchemeDetector;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyThemeColor();
    void DrawLeftCap();
    void DrawRightButton(OleColor topColor, OleColor bottomColor);
    void DrawRightButton(RightButtonLook look);
    void PassBackColorOn();
    OleColor HostColor() const;
    void OnResize(int width, int height);
    void KeepAreasBehindChildren();
    void OnTimerTick();
    void Changed(std::wstring_view property);

    std::int32_t themeColor_ = kAutomaticThemeColor;
    bool isStrech_ = false;
    OleColor backColor_ = RgbColor(255, 255, 255);
    ColorScheme scheme_ = ColorScheme::Silver;
    RightButtonStateMachine rightButton_;
    std::unique_ptr<PictureArea> picLeft_;
    std::unique_ptr<PictureArea> picGrad_;
    std::unique_ptr<PictureArea> picRight_;
    std::optional<IntervalTimer> tmrRight_;
};

} // namespace quarrow::controls
