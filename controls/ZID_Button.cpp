#include "ZID_Button.hpp"

#include "ArrowGlyphIcon.hpp"
#include "ButtonGeometry.hpp"
#include "ModGrad.hpp"
#include "ModGrayScale.hpp"
#include "ModTypeWin.hpp"
#include "Twips.hpp"

#include <limits>
#include <stdexcept>
#include <string>

namespace quarrow::controls {

namespace {

constexpr wchar_t kClassName[] = L"QuarrowZIDButton";
constexpr UINT_PTR kHoverTimerId = 1;
constexpr UINT kHoverIntervalMs = 50;
constexpr int kHeightTwips = 375;

int ButtonHeight() { return win32::TwipsToPixelsY(kHeightTwips); }

// Puts back the context's text settings (colour, background mode, font) when it ends.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDCState() {
        if (saved_) {
            RestoreDC(dc_, saved_);
        }
    }
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;

private:
    HDC dc_;
    int saved_;
};

std::int16_t SavedInt16(const PropertyBag& bag, std::wstring_view key, std::int16_t defaultValue) {
    const std::int32_t saved = bag.Read(key, std::int32_t{defaultValue});
    if (saved < std::numeric_limits<std::int16_t>::min() || saved > std::numeric_limits<std::int16_t>::max()) {
        throw std::invalid_argument("the saved " + std::string(key.begin(), key.end()) + " " + std::to_string(saved) +
                                    " is not a 16-bit integer");
    }
    return static_cast<std::int16_t>(saved);
}

} // namespace

ZID_Button::ZID_Button(HWND parent, int x, int y, int width)
    : SystemSchemeDetector([](HWND hWnd) { return SystemColorScheme(hWnd); }), imgArrow_(CreateArrowGlyphIcon()) {
    RegisterWindowClass(kClassName, 0);
    CreateHandle(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width,
                 ButtonHeight(), parent);
    if (!Handle()) {
        throw std::runtime_error("the toolbar button window could not be created");
    }
    picMain_ = std::make_unique<PictureArea>(Handle(), 0, 0, width, ButtonHeight(), RgbColor(255, 255, 255));
    picMain_->MouseMove = [this](const MouseEventArgs& args) { OnPicMouseMove(args); };
    picMain_->MouseDown = [this](const MouseEventArgs& args) { OnPicMouseDown(args); };
    picMain_->MouseUp = [this](const MouseEventArgs& args) { OnPicMouseUp(args); };
    tmrOver_.emplace(Handle(), kHoverTimerId, kHoverIntervalMs);
    ApplyThemeColor();
    RECT client{};
    GetClientRect(Handle(), &client);
    OnResize(client.right, client.bottom);
}

ZID_Button::~ZID_Button() {
    tmrOver_.reset();
    picMain_.reset();
    DestroyHandle();
}

void ZID_Button::InitProperties(std::wstring_view instanceName) {
    machine_.enabled = true;
    caption_ = instanceName;
    DrawButton(false, false);
}

void ZID_Button::ReadProperties(const PropertyBag& bag) {
    const std::int16_t state = SavedInt16(bag, L"State", button_state::kNormal);
    machine_.state = state;
    machine_.enabled = bag.Read(L"Enabled", true);
    caption_ = bag.Read(L"Caption", std::wstring());
    machine_.isCheckButton = bag.Read(L"IsCheckButton", false);
    machine_.isDropDown = bag.Read(L"IsDropDown", false);
    picture_ = bag.Read(L"Picture", controls::Picture());
    themeColor_ = bag.Read(L"ThemeColor", kAutomaticThemeColor);
    ApplyThemeColor();
    DrawButton(false, false);
}

void ZID_Button::WriteProperties(PropertyBag& bag) const {
    bag.Write(L"State", std::int32_t{machine_.state}, std::int32_t{button_state::kNormal});
    bag.Write(L"Enabled", machine_.enabled, true);
    bag.Write(L"Caption", caption_, std::wstring());
    bag.Write(L"IsCheckButton", machine_.isCheckButton, false);
    bag.Write(L"IsDropDown", machine_.isDropDown, false);
    bag.Write(L"Picture", picture_, controls::Picture());
    bag.Write(L"ThemeColor", themeColor_, kAutomaticThemeColor);
}

void ZID_Button::SetState(std::int16_t state) {
    machine_.state = state;
    DrawButton(false, false);
    Changed(L"State");
}

void ZID_Button::SetValue(std::int16_t value) {
    machine_.value = value;
    DrawButton(false, false);
    Changed(L"Value");
}

void ZID_Button::SetEnabled(bool enabled) {
    machine_.enabled = enabled;
    Changed(L"Enabled");
}

void ZID_Button::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    DrawButton(false, false);
    Changed(L"Caption");
}

void ZID_Button::SetIsCheckButton(bool isCheckButton) {
    machine_.isCheckButton = isCheckButton;
    DrawButton(false, false);
    Changed(L"IsCheckButton");
}

void ZID_Button::SetIsDropDown(bool isDropDown) {
    machine_.isDropDown = isDropDown;
    DrawButton(false, false);
    Changed(L"IsDropDown");
}

void ZID_Button::SetPicture(controls::Picture picture) {
    picture_ = std::move(picture);
    DrawButton(false, false);
    Changed(L"Picture");
}

void ZID_Button::SetThemeColor(std::int32_t themeColor) {
    themeColor_ = themeColor;
    ApplyThemeColor();
    if (machine_.state == button_state::kDisabled) {
        // A disabled face was painted last, so the usual rule would skip it; the new scheme must show.
        PaintFace(*FaceForState(button_state::kDisabled, machine_.isDropDown, ColorsOf(scheme_)));
    } else {
        DrawButton(false, false);
    }
    Changed(L"ThemeColor");
}

void ZID_Button::DrawButton(bool IsOver, bool FromTimer) {
    if (const auto face = machine_.DrawButton(IsOver, FromTimer, ColorsOf(scheme_))) {
        PaintFace(*face);
    }
}

bool ZID_Button::IsMouseOver() {
    POINT cursor{};
    const bool over = GetCursorPos(&cursor) && WindowFromPoint(cursor) == picMain_->Handle();
    tmrOver_->SetRunning(over);
    return over;
}

void ZID_Button::ApplyThemeColor() {
    if (themeColor_ == kAutomaticThemeColor) {
        SetSystemThemeColors(Handle());
    } else {
        SetThemeColors(themeColor_);
    }
}

void ZID_Button::SetThemeColors(std::int32_t themeColor) { scheme_ = SchemeForThemeColor(themeColor); }

void ZID_Button::SetSystemThemeColors(HWND hWnd) {
    scheme_ = SystemSchemeDetector ? SystemSchemeDetector(hWnd) : ColorScheme::Silver;
}

void ZID_Button::PaintFace(const FacePaint& face) {
    const HDC dc = picMain_->Dc();
    if (!dc) {
        return;
    }
    const SchemeColors& colors = ColorsOf(scheme_);
    const int width = picMain_->Width();
    const int height = picMain_->Height();

    GradientFill(dc, colors.faceTop, colors.faceBottom, 0, 0, width, height);
    if (const auto box = FaceBoxFor(face.mode, width, height)) {
        // A framed box brightens towards its top, the open drop-down box towards its bottom.
        const OleColor top = face.mode == FaceMode::Open ? face.first : face.second;
        const OleColor bottom = face.mode == FaceMode::Open ? face.second : face.first;
        GradientBox(dc, top, bottom, box->x, box->y, box->width, box->height, colors.dark);
    }
    if (picture_) {
        const PixelPoint at = kButtonPictureOrigin;
        if (face.mode == FaceMode::Disabled) {
            // Only an icon has the colour and mask bitmaps the gray rendering works from.
            DrawGrayIcon(dc, picture_.Icon(), at.x, at.y, kButtonPictureSize, kButtonPictureSize);
        } else {
            picture_.Draw(dc, at.x, at.y, kButtonPictureSize, kButtonPictureSize);
        }
    }
    if (!caption_.empty()) {
        DrawCaption(dc, face.captionColor);
    }
    if (machine_.isDropDown && imgArrow_) {
        const PixelPoint at = ArrowGlyphOrigin(width, height);
        DrawIconEx(dc, at.x, at.y, imgArrow_.Get(), kArrowGlyphSize, kArrowGlyphSize, 0, nullptr, DI_NORMAL);
    }
    picMain_->Refresh();
}

void ZID_Button::DrawCaption(HDC dc, OleColor colour) const {
    const SavedDCState saved(dc);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    if (picMain_->Font()) {
        SelectObject(dc, picMain_->Font());
    }
    const PixelEdges edges = CaptionEdges(picMain_->Width(), picMain_->Height(), static_cast<bool>(picture_));
    RECT area{edges.left, edges.top, edges.right, edges.bottom};
    // Prefix processing stays on: "&" underlines the next character and "&&" draws one ampersand.
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void ZID_Button::OnResize(int width, int height) {
    if (!picMain_) {
        return; // still being created; the constructor lays the area out
    }
    const int fixedHeight = ButtonHeight();
    if (height != fixedHeight) {
        // The nested resize that this causes does the rest.
        SetWindowPos(Handle(), nullptr, 0, 0, width, fixedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    picMain_->Move(0, 0, width, height);
    DrawButton(false, false);
}

void ZID_Button::OnTimerTick() {
    const bool over = IsMouseOver();
    if (const auto face = machine_.TimerTick(over, ColorsOf(scheme_))) {
        PaintFace(*face);
    }
}

void ZID_Button::OnPicMouseMove(const MouseEventArgs& args) {
    if (!machine_.AcceptsInput()) {
        return;
    }
    picMain_->SetToolTipText(toolTipText_);
    tmrOver_->SetRunning(true);
    if (MouseMove) {
        MouseMove(args);
    }
}

void ZID_Button::OnPicMouseDown(const MouseEventArgs& args) {
    const auto outcome = machine_.Press(args.Button);
    if (!outcome.accepted) {
        return;
    }
    if (outcome.immediateFace) {
        PaintFace(*outcome.immediateFace);
    }
    if (MouseDown) {
        MouseDown(args);
    }
}

void ZID_Button::OnPicMouseUp(const MouseEventArgs& args) {
    if (!machine_.Release()) {
        return;
    }
    // The released look is painted by the hover timer's next tick. A release after the pointer has
    // left would otherwise leave the pressed look standing, as no tick may follow.
    tmrOver_->SetRunning(true);
    if (MouseUp) {
        MouseUp(args);
    }
    if (Click) {
        Click();
    }
}

void ZID_Button::Changed(std::wstring_view property) {
    if (PropertyChanged) {
        PropertyChanged(property);
    }
}

LRESULT ZID_Button::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1; // PicMain covers everything
    case WM_SIZE: OnResize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_TIMER:
        if (wParam == kHoverTimerId && tmrOver_ && tmrOver_->Running()) {
            OnTimerTick();
            return 0;
        }
        break;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

} // namespace quarrow::controls
