#pragma once
// The owner-drawn toolbar button: a gradient face in one of three colour schemes, an orange box while
// the pointer is over it or it is pressed, a 16 × 16 picture, a one-line caption and an optional
// drop-down arrow. It follows the pointer by polling every 50 ms while the pointer is over it, can act
// as a two-state check button, and reports clicks and mouse events to its host. The host enables and
// disables it through `State` (0 and 4); `Enabled` false only makes it ignore the mouse.
//
// The face is painted on one child area, PicMain, which covers the whole control and takes all mouse
// input. The control is always 375 twips high.

#include "ButtonStateMachine.hpp"
#include "Handles.hpp"
#include "IntervalTimer.hpp"
#include "MouseEventArgs.hpp"
#include "Picture.hpp"
#include "PictureArea.hpp"
#include "PropertyBag.hpp"
#include "ToolbarSchemes.hpp"
#include "Window.hpp"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quarrow::controls {

class ZID_Button : public win32::Window {
public:
    // Creates the button as a child of `parent` at (x, y), `width` pixels wide. Throws when the system
    // cannot create its windows.
    ZID_Button(HWND parent, int x, int y, int width);
    ~ZID_Button() override;

    // The host's first placement, with no saved settings: enabled, captioned with its instance name.
    void InitProperties(std::wstring_view instanceName);
    // Loads the saved settings (missing keys give the defaults). A saved `State` that does not fit 16
    // bits is refused with std::invalid_argument before anything changes.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Every setter stores, repaints (the face is not painted twice in a row for states 1 to 4) and
    // then reports the property's name through PropertyChanged.
    std::int16_t State() const { return machine_.state; }
    void SetState(std::int16_t state);
    std::int16_t Value() const { return machine_.value; }
    void SetValue(std::int16_t value);
    // Only reported: the look does not change.
    bool Enabled() const { return machine_.enabled; }
    void SetEnabled(bool enabled);
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(std::wstring caption);
    bool IsCheckButton() const { return machine_.isCheckButton; }
    void SetIsCheckButton(bool isCheckButton);
    bool IsDropDown() const { return machine_.isDropDown; }
    void SetIsDropDown(bool isDropDown);
    const controls::Picture& Picture() const { return picture_; }
    void SetPicture(controls::Picture picture);
    // 0 blue, 1 silver, 2 and 3 olive, 4 the system's scheme, anything else silver. A disabled button
    // is repainted in the new scheme at once.
    std::int32_t ThemeColor() const { return themeColor_; }
    void SetThemeColor(std::int32_t themeColor);

    // The tool-tip the host gives the button; it reaches PicMain when the pointer moves over it.
    const std::wstring& ToolTipText() const { return toolTipText_; }
    void SetToolTipText(std::wstring text) { toolTipText_ = std::move(text); }

    // Brings a check button's state up to date for the pointer and repaints.
    void DrawButton(bool IsOver, bool FromTimer);
    // Whether the pointer is over PicMain now; keeps the hover timer running exactly while it is.
    bool IsMouseOver();

    ColorScheme Scheme() const { return scheme_; }
    const PictureArea& PicMain() const { return *picMain_; }
    bool HoverTimerRunning() const { return tmrOver_ && tmrOver_->Running(); }

    std::function<void(const MouseEventArgs&)> MouseDown;
    std::function<void(const MouseEventArgs&)> MouseMove;
    std::function<void(const MouseEventArgs&)> MouseUp;
    // After MouseUp on every release the button accepts; a check button's Value is already toggled.
    std::function<void()> Click;
    std::function<void(std::wstring_view property)> PropertyChanged;

    // Where ThemeColor 4 finds the system's scheme. Set it before choosing ThemeColor 4 to stand in
    // for the system (the gallery and the tests do).
    std::function<ColorScheme(HWND)> SystemSchemeDetector;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyThemeColor();
    void SetThemeColors(std::int32_t themeColor);
    void SetSystemThemeColors(HWND hWnd);
    void PaintFace(const FacePaint& face);
    void DrawCaption(HDC dc, OleColor colour) const;
    void OnResize(int width, int height);
    void OnTimerTick();
    void OnPicMouseMove(const MouseEventArgs& args);
    void OnPicMouseDown(const MouseEventArgs& args);
    void OnPicMouseUp(const MouseEventArgs& args);
    void Changed(std::wstring_view property);

    ButtonStateMachine machine_;
    std::wstring caption_;
    controls::Picture picture_;
    std::int32_t themeColor_ = kAutomaticThemeColor;
    ColorScheme scheme_ = ColorScheme::Silver;
    std::wstring toolTipText_;
    win32::UniqueIcon imgArrow_;
    std::unique_ptr<PictureArea> picMain_;
    std::optional<IntervalTimer> tmrOver_;
};

} // namespace quarrow::controls
