#pragma once
// A plain child window that other code draws into, as the status bar draws into the main window's
// picStatus: it has a font and a fore colour, keeps one device context for its whole life (with the
// font selected, the fore colour as text colour and a transparent text background), and hands its
// paint requests to its owner through Paint.

#include "StatusBarHost.hpp"
#include "Window.hpp"

#include <cstdint>
#include <functional>

namespace quarrow::controls {

class PictureBox final : public win32::Window, public IStatusBarHost {
public:
    // OLE colour of button text, a picture box's usual fore colour.
    static constexpr std::uint32_t kDefaultForeColor = 0x80000012;

    PictureBox();
    ~PictureBox() override;

    // Creates the window as a child of `parent`. False when the system refused.
    [[nodiscard]] bool Create(HWND parent, int x, int y, int width, int height, int id = 0);

    // Called for every paint request, after the background is erased; Hdc() is the context to draw into.
    std::function<void()> Paint;

    HWND Hwnd() const override { return Handle(); }
    HDC Hdc() const override { return dc_; }
    int ScaleWidth() const override;
    int ScaleHeight() const override;

    win32::FontSpec Font() const override { return font_; }
    void SetFont(const win32::FontSpec& font) override;

    // An OLE colour: 0x00BBGGRR, or a system colour index with the high bit set.
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t oleColor);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyFont();
    void ApplyForeColor();

    win32::FontSpec font_;
    win32::UniqueFont gdiFont_;
    std::uint32_t foreColor_ = kDefaultForeColor;
    HDC dc_ = nullptr; // the window's own context, released by the system with the window
};

} // namespace quarrow::controls
