#pragma once
// A painted child area that keeps its picture: drawing goes to an off-screen image of the area's size,
// which is shown on the screen by Refresh and whenever the system asks for a repaint, and which keeps
// its content when the area is resized (area gained takes the background colour). It reports the mouse to
// its owner and captures it while a button is down, so that the release is reported wherever it
// happens. It may carry a tool-tip.

#include "ColorMath.hpp"
#include "Gdi.hpp"
#include "MouseEventArgs.hpp"
#include "PaintedWindow.hpp"
#include "pcDibSection.hpp"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace quarrow::controls {

class ToolTip;

class PictureArea : public win32::PaintedWindow {
public:
    PictureArea(HWND parent, int x, int y, int width, int height, OleColor backColor);
    ~PictureArea() override;

    // The context of the kept image (null when the area is empty), and its size.
    HDC Dc() const { return image_ ? image_->hdc() : nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Shows the kept image on the screen now.
    void Refresh();

    void Move(int x, int y, int width, int height);
    // Keeps the area under every sibling that overlaps it.
    void SendToBack();

    // The colour that area gained by a resize takes; painted areas keep what they have.
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor colour) { backColor_ = colour; }

    // The font text is drawn in on this area: the system's message font, without smoothing.
    HFONT Font() const { return font_.Get(); }

    // The text shown when the pointer rests on the area; empty shows none. ToolTipText answers what
    // the tool-tip control itself holds.
    void SetToolTipText(const std::wstring& text);
    std::wstring ToolTipText() const;

    std::function<void(const MouseEventArgs&)> MouseDown;
    std::function<void(const MouseEventArgs&)> MouseMove;
    std::function<void(const MouseEventArgs&)> MouseUp;
    // A left press and release both inside the area.
    std::function<void()> Click;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint(HDC dc) override;

private:
    void ResizeImage(int width, int height);
    void OnButtonDown(std::int16_t button, WPARAM keys, LPARAM position);
    void OnButtonUp(std::int16_t button, WPARAM keys, LPARAM position);

    std::unique_ptr<pcDibSection> image_;
    int width_ = 0;
    int height_ = 0;
    OleColor backColor_;
    win32::UniqueFont font_;
    std::unique_ptr<ToolTip> toolTip_;
    bool leftPressedInside_ = false;
};

} // namespace quarrow::controls
