#include "PictureBox.hpp"

#include "ModGrad.hpp"

namespace quarrow::controls {

namespace {

constexpr wchar_t kClassName[] = L"QuarrowPictureBox";

} // namespace

PictureBox::PictureBox() : font_(win32::FontSpec::MessageFont()) {}

PictureBox::~PictureBox() { DestroyHandle(); }

bool PictureBox::Create(HWND parent, int x, int y, int width, int height, int id) {
    // An own context keeps the font and colours between paints; redrawing on every size change keeps
    // layouts that depend on the width right.
    RegisterWindowClass(kClassName, CS_OWNDC | CS_HREDRAW | CS_VREDRAW, GetSysColorBrush(COLOR_BTNFACE));
    const HWND window = CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                                     parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    return window != nullptr;
}

int PictureBox::ScaleWidth() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.right - client.left;
}

int PictureBox::ScaleHeight() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.bottom - client.top;
}

void PictureBox::SetFont(const win32::FontSpec& font) {
    font_ = font;
    ApplyFont();
}

void PictureBox::SetForeColor(std::uint32_t oleColor) {
    foreColor_ = oleColor;
    ApplyForeColor();
}

void PictureBox::ApplyFont() {
    if (!dc_) {
        return;
    }
    win32::UniqueFont created = font_.Create(dc_);
    if (!created) {
        return;
    }
    // The new font goes in before the old one is deleted: an object must never be deleted while selected.
    SelectObject(dc_, created.Get());
    gdiFont_ = std::move(created);
}

void PictureBox::ApplyForeColor() {
    if (dc_) {
        SetTextColor(dc_, TranslateColor(foreColor_));
    }
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        dc_ = GetDC(Handle());
        SetBkMode(dc_, TRANSPARENT);
        ApplyFont();
        ApplyForeColor();
        return 0;
    case WM_PAINT: {
        const win32::PaintDC paint(Handle());
        if (Paint) {
            Paint();
        }
        return 0;
    }
    case WM_NCDESTROY:
        // The own context goes with the window; the font it holds is deleted after it, by the destructor.
        if (dc_) {
            SelectObject(dc_, GetStockObject(SYSTEM_FONT));
        }
        dc_ = nullptr;
        break;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

} // namespace quarrow::controls
