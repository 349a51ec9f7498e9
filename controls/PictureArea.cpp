#include "PictureArea.hpp"

#include "FontSpec.hpp"
#include "ModGrad.hpp"
#include "ToolTip.hpp"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

namespace quarrow::controls {

namespace {

constexpr wchar_t kClassName[] = L"QuarrowPictureArea";

// Shift keys as the mouse events report them.
std::int16_t ShiftState(WPARAM keys) {
    std::int16_t shift = 0;
    if (keys & MK_SHIFT) {
        shift |= 1;
    }
    if (keys & MK_CONTROL) {
        shift |= 2;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= 4;
    }
    return shift;
}

std::int16_t HeldButtons(WPARAM keys) {
    std::int16_t buttons = 0;
    if (keys & MK_LBUTTON) {
        buttons |= 1;
    }
    if (keys & MK_RBUTTON) {
        buttons |= 2;
    }
    if (keys & MK_MBUTTON) {
        buttons |= 4;
    }
    return buttons;
}

MouseEventArgs EventArgs(std::int16_t button, WPARAM keys, LPARAM position) {
    return MouseEventArgs{button, ShiftState(keys), static_cast<float>(GET_X_LPARAM(position)),
                          static_cast<float>(GET_Y_LPARAM(position))};
}

// The system's message font, drawn without smoothing: captions are crisp and take exactly the colour
// they are drawn in.
win32::UniqueFont MessageFont() { return win32::FontSpec::MessageFont().Create(nullptr, NONANTIALIASED_QUALITY); }

} // namespace

PictureArea::PictureArea(HWND parent, int x, int y, int width, int height, OleColor backColor)
    : backColor_(backColor), font_(MessageFont()) {
    // No double-click class style: every press of a quick pair is reported as a press.
    RegisterWindowClass(kClassName, 0);
    // Siblings stay clipped out, so that controls placed over the area are never painted over.
    CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height, parent);
    if (!Handle()) {
        throw std::runtime_error("a control's picture area could not be created");
    }
    ResizeImage(std::max(width, 0), std::max(height, 0));
}

PictureArea::~PictureArea() {
    toolTip_.reset();
    DestroyHandle();
}

void PictureArea::Refresh() {
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

void PictureArea::Move(int x, int y, int width, int height) {
    MoveWindow(Handle(), x, y, std::max(width, 0), std::max(height, 0), TRUE);
}

void PictureArea::SendToBack() {
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PictureArea::SetToolTipText(const std::wstring& text) {
    if (!toolTip_) {
        toolTip_ = std::make_unique<ToolTip>(Handle());
    }
    toolTip_->SetText(text);
}

std::wstring PictureArea::ToolTipText() const { return toolTip_ ? toolTip_->ShownText() : std::wstring(); }

void PictureArea::ResizeImage(int width, int height) {
    if (width == width_ && height == height_) {
        return;
    }
    auto resized = std::make_unique<pcDibSection>();
    if (width > 0 && height > 0 && resized->Create(width, height)) {
        const RECT all{0, 0, width, height};
        const OleColor back = TranslateColor(backColor_);
        const win32::UniqueBrush brush(CreateSolidBrush(back == kUntranslatableColor ? 0 : back));
        FillRect(resized->hdc(), &all, brush.Get());
        if (Dc()) {
            BitBlt(resized->hdc(), 0, 0, std::min(width, width_), std::min(height, height_), Dc(), 0, 0, SRCCOPY);
        }
        image_ = std::move(resized);
    } else {
        image_.reset();
    }
    width_ = width;
    height_ = height;
}

void PictureArea::OnPaint(HDC dc) {
    if (Dc()) {
        BitBlt(dc, 0, 0, width_, height_, Dc(), 0, 0, SRCCOPY);
    }
}

void PictureArea::OnButtonDown(std::int16_t button, WPARAM keys, LPARAM position) {
    SetCapture(Handle());
    if (button == 1) {
        leftPressedInside_ = true;
    }
    if (MouseDown) {
        MouseDown(EventArgs(button, keys, position));
    }
}

void PictureArea::OnButtonUp(std::int16_t button, WPARAM keys, LPARAM position) {
    const POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    const RECT inside{0, 0, width_, height_};
    const bool clicked = button == 1 && leftPressedInside_ && PtInRect(&inside, at);
    if (button == 1) {
        leftPressedInside_ = false;
    }
    // The capture goes before the events: a handler may open a modal window.
    if (HeldButtons(keys) == 0 && GetCapture() == Handle()) {
        ReleaseCapture();
    }
    if (MouseUp) {
        MouseUp(EventArgs(button, keys, position));
    }
    if (clicked && Click) {
        Click();
    }
}

LRESULT PictureArea::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: ResizeImage(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOUSEMOVE:
        if (MouseMove) {
            MouseMove(EventArgs(HeldButtons(wParam), wParam, lParam));
        }
        return 0;
    case WM_LBUTTONDOWN: OnButtonDown(1, wParam, lParam); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(2, wParam, lParam); return 0;
    case WM_MBUTTONDOWN: OnButtonDown(4, wParam, lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(1, wParam, lParam); return 0;
    case WM_RBUTTONUP: OnButtonUp(2, wParam, lParam); return 0;
    case WM_MBUTTONUP: OnButtonUp(4, wParam, lParam); return 0;
    case WM_CAPTURECHANGED: leftPressedInside_ = false; return 0;
    default: return PaintedWindow::HandleMessage(message, wParam, lParam);
    }
}

} // namespace quarrow::controls
