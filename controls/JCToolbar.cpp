#include "JCToolbar.hpp"

#include "HostColor.hpp"
#include "ModGrad.hpp"
#include "ModTypeWin.hpp"
#include "ToolbarArt.hpp"
#include "ToolbarLayout.hpp"
#include "Twips.hpp"

#include <array>
#include <stdexcept>

namespace quarrow::controls {

namespace {

constexpr wchar_t kClassName[] = L"QuarrowJCToolbar";
constexpr UINT_PTR kRightTimerId = 1;
constexpr UINT kRightIntervalMs = 10;
constexpr int kHeightTwips = 390;
constexpr OleColor kWhite = RgbColor(255, 255, 255);
constexpr OleColor kBlack = RgbColor(0, 0, 0);

int ToolbarHeight() { return win32::TwipsToPixelsY(kHeightTwips); }

void PaintPixels(HDC dc, const std::vector<PixelPaint>& pixels) {
    for (const PixelPaint& pixel : pixels) {
        SetPixelV(dc, pixel.x, pixel.y, pixel.colour);
    }
}

} // namespace

JCToolbar::JCToolbar(HWND parent, int x, int y, int width)
    : HostBackColor([this] { return WindowBackgroundColor(GetParent(Handle())); }),
      SystemSchemeDetector([](HWND hWnd) { return SystemColorScheme(hWnd); }) {
    RegisterWindowClass(kClassName, 0);
    CreateHandle(WS_EX_CONTROLPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y,
                 width, ToolbarHeight(), parent);
    if (!Handle()) {
        throw std::runtime_error("the toolbar window could not be created");
    }
    const int height = ToolbarHeight();
    const ToolbarAreas areas = LayoutToolbarAreas(width, height);
    picLeft_ = std::make_unique<PictureArea>(Handle(), areas.left.x, 0, areas.left.width, height, backColor_);
    picGrad_ = std::make_unique<PictureArea>(Handle(), areas.grad.x, 0, areas.grad.width, height, backColor_);
    picRight_ = std::make_unique<PictureArea>(Handle(), areas.right.x, 0, areas.right.width, height, backColor_);

    picLeft_->MouseDown = [this](const MouseEventArgs& args) {
        if (MouseDown) {
            MouseDown(args);
        }
    };
    picLeft_->MouseMove = [this](const MouseEventArgs& args) {
        if (MouseMove) {
            MouseMove(args);
        }
    };
    picLeft_->MouseUp = [this](const MouseEventArgs& args) {
        if (MouseUp) {
            MouseUp(args);
        }
    };
    picRight_->MouseMove = [this](const MouseEventArgs&) { tmrRight_->SetRunning(true); };
    picRight_->MouseDown = [this](const MouseEventArgs&) { DrawRightButton(rightButton_.Press()); };
    picRight_->MouseUp = [this](const MouseEventArgs&) {
        DrawRightButton(rightButton_.Release());
        // The pointer may have been dragged off before the release, which stopped the timer: its next
        // tick puts the resting look back, where nothing else would.
        tmrRight_->SetRunning(true);
    };
    picRight_->Click = [this] {
        if (ButtonClick) {
            ButtonClick();
        }
    };

    tmrRight_.emplace(Handle(), kRightTimerId, kRightIntervalMs);
    ApplyThemeColor();
    RECT client{};
    GetClientRect(Handle(), &client);
    OnResize(client.right, client.bottom);
}

JCToolbar::~JCToolbar() {
    tmrRight_.reset();
    picLeft_.reset();
    picGrad_.reset();
    picRight_.reset();
    DestroyHandle();
}

void JCToolbar::InitProperties() {
    backColor_ = HostBackColor ? HostBackColor() : backColor_;
    PassBackColorOn();
    DrawTheme();
}

void JCToolbar::ReadProperties(const PropertyBag& bag) {
    backColor_ = bag.Read(L"BackColor", kWhite);
    themeColor_ = bag.Read(L"ThemeColor", kAutomaticThemeColor);
    isStrech_ = bag.Read(L"IsStrech", false);
    PassBackColorOn();
    ApplyThemeColor();
    DrawTheme();
}

void JCToolbar::WriteProperties(PropertyBag& bag) const {
    bag.Write(L"BackColor", backColor_, kWhite);
    bag.Write(L"ThemeColor", themeColor_, kAutomaticThemeColor);
    bag.Write(L"IsStrech", isStrech_, false);
}

void JCToolbar::SetThemeColor(std::int32_t themeColor) {
    themeColor_ = themeColor;
    ApplyThemeColor();
    DrawTheme();
    Changed(L"ThemeColor");
}

void JCToolbar::SetIsStrech(bool isStrech) {
    isStrech_ = isStrech;
    DrawRightButton(RightButtonLook::Rest);
    Changed(L"IsStrech");
}

void JCToolbar::SetBackColor(OleColor colour) {
    backColor_ = colour;
    PassBackColorOn();
    Changed(L"BackColor");
    DrawTheme();
}

void JCToolbar::DrawTheme() {
    const SchemeColors& colors = ColorsOf(scheme_);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (const HDC dc = picGrad_->Dc()) {
        // The gradient runs to the strip's full width, beyond the middle area: nothing is lost when
        // the middle grows before the next paint.
        GradientFill(dc, colors.faceTop, colors.faceBottom, 0, 0, width, height);
        DrawLine(dc, 0, height - 1, width, height - 1, colors.bottomLine);
    }
    picGrad_->Refresh();
    DrawLeftCap();
    DrawRightButton(RightButtonLook::Rest);
}

bool JCToolbar::IsMouseOverRight() {
    POINT cursor{};
    const bool over = GetCursorPos(&cursor) && WindowFromPoint(cursor) == picRight_->Handle();
    tmrRight_->SetRunning(over);
    return over;
}

void JCToolbar::ApplyThemeColor() {
    if (themeColor_ == kAutomaticThemeColor) {
        scheme_ = SystemSchemeDetector ? SystemSchemeDetector(Handle()) : ColorScheme::Silver;
    } else {
        scheme_ = SchemeForThemeColor(themeColor_);
    }
}

void JCToolbar::DrawLeftCap() {
    const HDC dc = picLeft_->Dc();
    if (!dc) {
        return;
    }
    const SchemeColors& colors = ColorsOf(scheme_);
    const int width = picLeft_->Width();
    const int height = picLeft_->Height();
    GradientFill(dc, colors.faceTop, colors.faceBottom, 0, 0, width, height);
    DrawLine(dc, 2, height - 1, width, height - 1, colors.bottomLine);
    PaintPixels(dc, LeftCapCornerPixels(height, HostColor(), colors));
    for (const PixelPoint dot : GripDotOrigins()) {
        DrawBox(dc, dot.x + 1, dot.y + 1, 1, 1, kWhite);
        DrawBox(dc, dot.x, dot.y, 1, 1, colors.dark);
    }
    picLeft_->Refresh();
}

void JCToolbar::DrawRightButton(RightButtonLook look) {
    const auto [top, bottom] = RightButtonColors(look, ColorsOf(scheme_));
    DrawRightButton(top, bottom);
}

void JCToolbar::DrawRightButton(OleColor topColor, OleColor bottomColor) {
    const HDC dc = picRight_->Dc();
    if (!dc) {
        return;
    }
    const SchemeColors& colors = ColorsOf(scheme_);
    const int width = picRight_->Width();
    const int height = picRight_->Height();
    // The two leftmost columns continue the strip, so the button's rounded corners stand on it.
    GradientFill(dc, colors.faceTop, colors.faceBottom, 0, 0, 2, height);
    GradientFill(dc, topColor, bottomColor, 2, 0, width, height);
    PaintPixels(dc, RightButtonCornerPixels(width, height, HostColor(), topColor, bottomColor));

    // A black down arrow with a white shadow, and a bar above it.
    const std::array<POINT, 3> shadow{{{7, 19}, {13, 19}, {10, 22}}};
    const std::array<POINT, 3> arrow{{{6, 18}, {12, 18}, {9, 21}}};
    FillPolygon(dc, kWhite, WHITE_BRUSH, shadow);
    FillPolygon(dc, kBlack, BLACK_BRUSH, arrow);
    DrawLine(dc, 6, 15, 13, 15, kBlack);
    DrawLine(dc, 7, 16, 14, 16, kWhite);

    if (isStrech_) {
        // Two small right-pointing marks: more buttons than the strip shows.
        for (const int x0 : {6, 10}) {
            DrawLine(dc, x0, 5, x0, 8, kBlack);
            SetPixelV(dc, x0 + 1, 6, kBlack);
            SetPixelV(dc, x0 + 1, 7, kWhite);
            SetPixelV(dc, x0 + 2, 7, kWhite);
            SetPixelV(dc, x0 + 1, 8, kWhite);
        }
    }
    picRight_->Refresh();
}

void JCToolbar::PassBackColorOn() {
    picLeft_->SetBackColor(backColor_);
    picRight_->SetBackColor(backColor_);
    InvalidateRect(Handle(), nullptr, TRUE);
}

OleColor JCToolbar::HostColor() const { return TranslateColor(HostBackColor ? HostBackColor() : backColor_); }

void JCToolbar::OnResize(int width, int height) {
    if (!picRight_) {
        return; // still being created; the constructor lays the areas out
    }
    const int fixedHeight = ToolbarHeight();
    if (height != fixedHeight) {
        SetWindowPos(Handle(), nullptr, 0, 0, width, fixedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    const ToolbarAreas areas = LayoutToolbarAreas(width, height);
    picLeft_->Move(areas.left.x, areas.left.y, areas.left.width, areas.left.height);
    picGrad_->Move(areas.grad.x, areas.grad.y, areas.grad.width, areas.grad.height);
    picRight_->Move(areas.right.x, areas.right.y, areas.right.width, areas.right.height);
    KeepAreasBehindChildren();
    DrawTheme();
}

void JCToolbar::KeepAreasBehindChildren() {
    for (PictureArea* area : {picLeft_.get(), picGrad_.get(), picRight_.get()}) {
        if (area) {
            area->SendToBack();
        }
    }
}

void JCToolbar::OnTimerTick() {
    if (const auto look = rightButton_.TimerTick(IsMouseOverRight())) {
        DrawRightButton(*look);
    }
}

void JCToolbar::Changed(std::wstring_view property) {
    if (PropertyChanged) {
        PropertyChanged(property);
    }
}

LRESULT JCToolbar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle(), &client);
        const OleColor back = TranslateColor(backColor_);
        const win32::UniqueBrush brush(CreateSolidBrush(back == kUntranslatableColor ? 0 : back));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush.Get());
        return 1;
    }
    case WM_SIZE: OnResize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_CREATE) {
            KeepAreasBehindChildren(); // a control was just placed on the strip
        }
        break;
    case WM_TIMER:
        if (wParam == kRightTimerId && tmrRight_ && tmrRight_->Running()) {
            OnTimerTick();
            return 0;
        }
        break;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

} // namespace quarrow::controls
