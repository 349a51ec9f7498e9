#pragma once
// The owner-drawn progress bar of the progress window. It paints with the system's visual style
// ("Progress") when asked to and able to, otherwise in a classic look: a solid or picture background,
// a solid, segmented or picture bar, a one-line caption in two colours (one over the empty part, one
// over the bar) and a flat, thin 3-D or full 3-D border. Every paint is composed off-screen and copied
// to the window in one step, so the bar never flickers while a long loop updates it.
//
// Every property setter stores the value, repaints at once and reports the property's name through
// PropertyChanged. Hosts drive the bar through Min, Max, Value and Text; the rest comes from the saved
// settings (ReadProperties).

#include "ColorMath.hpp"
#include "FontSpec.hpp"
#include "Picture.hpp"
#include "PictureHolder.hpp"
#include "ProgressBarDefaults.hpp"
#include "PropertyBag.hpp"
#include "PaintedWindow.hpp"
#include "pcMemDC.hpp"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quarrow::controls {

// What BeforePaint reports: the surface about to be painted and the client rectangle. `doDefault` is
// a copy; painting always goes on after the event.
struct BeforePaintEvent {
    HDC hDC = nullptr;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool doDefault = true;
};

class lumoProgressBar : public win32::PaintedWindow {
public:
    // Creates the bar as a visible child of `parent` (x, y, width and height in pixels) with every
    // property at its default. Throws std::system_error when the system refuses the window.
    lumoProgressBar(HWND parent, int x, int y, int width, int height, int id = 0);
    ~lumoProgressBar() override;

    // Raised with the property's name after every setter (both "Picture" and "BarPicture" for either
    // picture).
    std::function<void(std::wstring_view)> PropertyChanged;
    // Raised at the start of every paint.
    std::function<void(BeforePaintEvent)> BeforePaint;

    // Value at an empty bar (default 0) and at a full bar (default 100). An empty range shows an
    // empty bar.
    std::int32_t Min() const { return min_; }
    void Min(std::int32_t value);
    std::int32_t Max() const { return max_; }
    void Max(std::int32_t value);
    // The current value (default 0); kept as given, the bar shows it held to Min…Max.
    std::int32_t Value() const { return value_; }
    void Value(std::int32_t value);
    // (Value − Min) / (Max − Min) held to 0…1, times 100; 0 for an empty range.
    double Percent() const;

    // The caption, drawn only when ShowText is true and Text is not empty. "&" underlines the next
    // character.
    const std::wstring& Text() const { return text_; }
    void Text(std::wstring value);
    bool ShowText() const { return showText_; }
    void ShowText(bool value);
    // 0 left, 1 centre (default), 2 right.
    std::int32_t TextAlignX() const { return textAlignX_; }
    void TextAlignX(std::int32_t value);
    // 0 top, 1 centre (default), 2 bottom.
    std::int32_t TextAlignY() const { return textAlignY_; }
    void TextAlignY(std::int32_t value);

    // Classic bar split into 8-pixel blocks with 2-pixel gaps (default false).
    bool Segments() const { return segments_; }
    void Segments(bool value);
    // Paint with the system's visual style when it is available (default false). A background picture
    // overrides it.
    bool XpStyle() const { return xpStyle_; }
    void XpStyle(bool value);
    // 0 none, 1 sunken (default), 2 raised.
    std::int32_t BorderStyle() const { return borderStyle_; }
    void BorderStyle(std::int32_t value);
    // 0 flat black line, 1 thin 3-D (default), 2 full 3-D edge.
    std::int32_t Appearance() const { return appearance_; }
    void Appearance(std::int32_t value);

    // Colours are OLE colours: 0x00BBGGRR, or a system colour index with the high bit set.
    // Empty part and segment gaps (default: button face).
    OleColor BackColor() const { return backColor_; }
    void BackColor(OleColor value);
    // Caption over the empty part (default black).
    OleColor ForeColor() const { return foreColor_; }
    void ForeColor(OleColor value);
    // The bar (default RGB(0, 0, 128)).
    OleColor BarColor() const { return barColor_; }
    void BarColor(OleColor value);
    // Caption over the bar (default white).
    OleColor BarForeColor() const { return barForeColor_; }
    void BarForeColor(OleColor value);

    // The caption font (default MS Sans Serif, 8.25 points).
    const win32::FontSpec& Font() const { return font_; }
    void Font(const win32::FontSpec& value);

    // Background and bar pictures, empty by default. Mode 1 (the default) tiles, any other stretches.
    const controls::Picture& Picture() const { return picBack_.Get(); }
    void Picture(const controls::Picture& value);
    const controls::Picture& BarPicture() const { return picBar_.Get(); }
    void BarPicture(const controls::Picture& value);
    std::int32_t BackPictureMode() const { return backPictureMode_; }
    void BackPictureMode(std::int32_t value);
    std::int32_t BarPictureMode() const { return barPictureMode_; }
    void BarPictureMode(std::int32_t value);

    // Multiply the luminance and saturation of the background or bar picture (held to 1 at most). The
    // change shows at the next repaint; each call starts again from the picture as it was given.
    // Without a picture nothing happens.
    void ModifyPicture(double fLuminance, double fSaturation);
    void ModifyBarPicture(double fLuminance, double fSaturation);

    // Paints the whole control now.
    void Redraw();

    // Saved settings: keys in the order "Picture", "BackColor", "ForeColor", "Appearance",
    // "BorderStyle", "BarColor", "BarForeColor", "BarPicture", "BarPictureMode", "BackPictureMode",
    // "Min", "Max", "Value", "ShowText", "TextAlignX", "TextAlignY", "Text", "Font", "Segments",
    // "XpStyle". Values equal to their default are not written ("Font" always is); missing keys read as
    // the default. Loading applies every key through its setter, in that order.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The one paint routine behind WM_PAINT, WM_PRINTCLIENT and Redraw: composes the control in the
    // memory surface (or, without one, directly on `target`) and copies it to `target`'s origin.
    void OnPaint(HDC target) override;

private:
    // Everything painted after BeforePaint, in the client rectangle (0, 0)…(width, height).
    void Compose(HDC dc, int width, int height);

    // Stores a setter's value, repaints and reports the property.
    template <typename T> void Store(T& member, T value, std::wstring_view name);
    void SetPicture(PictureHolder& holder, const controls::Picture& value);
    void Changed(std::wstring_view name) const;

    std::int32_t min_ = progress_defaults::kMin;
    std::int32_t max_ = progress_defaults::kMax;
    std::int32_t value_ = progress_defaults::kValue;
    std::wstring text_;
    bool showText_ = progress_defaults::kShowText;
    std::int32_t textAlignX_ = progress_defaults::kTextAlignX;
    std::int32_t textAlignY_ = progress_defaults::kTextAlignY;
    bool segments_ = progress_defaults::kSegments;
    bool xpStyle_ = progress_defaults::kXpStyle;
    std::int32_t borderStyle_ = progress_defaults::kBorderStyle;
    std::int32_t appearance_ = progress_defaults::kAppearance;
    OleColor backColor_ = progress_defaults::kBackColor;
    OleColor foreColor_ = progress_defaults::kCreatedForeColor;
    OleColor barColor_ = progress_defaults::kBarColor;
    OleColor barForeColor_ = progress_defaults::kBarForeColor;
    win32::FontSpec font_;
    win32::UniqueFont fontHandle_;
    PictureHolder picBack_;
    PictureHolder picBar_;
    std::int32_t backPictureMode_ = progress_defaults::kBackPictureMode;
    std::int32_t barPictureMode_ = progress_defaults::kBarPictureMode;

    pcMemDC memory_;
};

} // namespace quarrow::controls
