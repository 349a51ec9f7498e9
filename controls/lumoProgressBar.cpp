#include "lumoProgressBar.hpp"

#include "Gdi.hpp"
#include "ProgressGeometry.hpp"

#include <system_error>
#include <utility>

namespace quarrow::controls {

namespace {

constexpr wchar_t kClassName[] = L"lumoProgressBar";

} // namespace

lumoProgressBar::lumoProgressBar(HWND parent, int x, int y, int width, int height, int id)
    : fontHandle_(font_.Create()) {
    // No class background: every paint covers the whole client area itself.
    RegisterWindowClass(kClassName, 0, nullptr);
    if (!CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)))) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "the progress bar's window could not be created");
    }
}

lumoProgressBar::~lumoProgressBar() { DestroyHandle(); }

LRESULT lumoProgressBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        Redraw();
        return 0;
    }
    return PaintedWindow::HandleMessage(message, wParam, lParam);
}

void lumoProgressBar::Redraw() {
    if (!Handle()) {
        return;
    }
    const win32::WindowDC dc(Handle());
    if (dc) {
        OnPaint(dc.Get());
    }
}

double lumoProgressBar::Percent() const { return ProgressPercent(value_, min_, max_); }

template <typename T> void lumoProgressBar::Store(T& member, T value, std::wstring_view name) {
    member = std::move(value);
    Redraw();
    Changed(name);
}

void lumoProgressBar::Changed(std::wstring_view name) const {
    if (PropertyChanged) {
        PropertyChanged(name);
    }
}

void lumoProgressBar::Min(std::int32_t value) { Store(min_, value, L"Min"); }
void lumoProgressBar::Max(std::int32_t value) { Store(max_, value, L"Max"); }
void lumoProgressBar::Value(std::int32_t value) { Store(value_, value, L"Value"); }
void lumoProgressBar::Text(std::wstring value) { Store(text_, std::move(value), L"Text"); }
void lumoProgressBar::ShowText(bool value) { Store(showText_, value, L"ShowText"); }
void lumoProgressBar::TextAlignX(std::int32_t value) { Store(textAlignX_, value, L"TextAlignX"); }
void lumoProgressBar::TextAlignY(std::int32_t value) { Store(textAlignY_, value, L"TextAlignY"); }
void lumoProgressBar::Segments(bool value) { Store(segments_, value, L"Segments"); }
void lumoProgressBar::XpStyle(bool value) { Store(xpStyle_, value, L"XpStyle"); }
void lumoProgressBar::BorderStyle(std::int32_t value) { Store(borderStyle_, value, L"BorderStyle"); }
void lumoProgressBar::Appearance(std::int32_t value) { Store(appearance_, value, L"Appearance"); }
void lumoProgressBar::BackColor(OleColor value) { Store(backColor_, value, L"BackColor"); }
void lumoProgressBar::ForeColor(OleColor value) { Store(foreColor_, value, L"ForeColor"); }
void lumoProgressBar::BarColor(OleColor value) { Store(barColor_, value, L"BarColor"); }
void lumoProgressBar::BarForeColor(OleColor value) { Store(barForeColor_, value, L"BarForeColor"); }
void lumoProgressBar::BackPictureMode(std::int32_t value) { Store(backPictureMode_, value, L"BackPictureMode"); }
void lumoProgressBar::BarPictureMode(std::int32_t value) { Store(barPictureMode_, value, L"BarPictureMode"); }

void lumoProgressBar::Font(const win32::FontSpec& value) {
    font_ = value;
    fontHandle_ = font_.Create();
    Redraw();
    Changed(L"Font");
}

void lumoProgressBar::Picture(const controls::Picture& value) { SetPicture(picBack_, value); }
void lumoProgressBar::BarPicture(const controls::Picture& value) { SetPicture(picBar_, value); }

void lumoProgressBar::SetPicture(PictureHolder& holder, const controls::Picture& value) {
    holder.SetPicture(value);
    Redraw();
    // One routine serves both pictures, and a host may show either: both are reported.
    Changed(L"Picture");
    Changed(L"BarPicture");
}

void lumoProgressBar::ModifyPicture(double fLuminance, double fSaturation) {
    picBack_.ModifyHLS(fLuminance, fSaturation);
}

void lumoProgressBar::ModifyBarPicture(double fLuminance, double fSaturation) {
    picBar_.ModifyHLS(fLuminance, fSaturation);
}

} // namespace quarrow::controls
