#include "dlgSave.hpp"

#include "SetWindowIcons.hpp"
#include "StandardControls.hpp"

#include "FontSpec.hpp"
#include "MessagePump.hpp"
#include "PropertyBag.hpp"
#include "Twips.hpp"

#include <algorithm>
#include <limits>

namespace quarrow::app {

namespace {

using win32::TwipsToPixelsX;
using win32::TwipsToPixelsY;

// The window's client area and its controls, in twips; every control is 5295 wide at 360.
constexpr SIZE kClientArea{6030, 2055};
constexpr int kControlLeft = 360;
constexpr int kControlWidth = 5295;
constexpr int kStatusTop = 240;
constexpr int kFileTop = 480;
constexpr int kFileHeight = 855;
constexpr int kBarTop = 1320;
constexpr int kBar2Top = 1680;
constexpr int kBarHeight = 255;

std::int32_t Clamped(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// A label across the window, as wide as every control.
HWND FullWidthLabel(HWND parent, DWORD style, int top, int height, HFONT font) {
    return CreateLabel(parent, 0, L"", TwipsRect{kControlLeft, top, kControlWidth, height}, font, style);
}

// Both bars: a black caption in MS Sans Serif 8.25, shown, and the system's visual style; everything
// else at the control's defaults. A caption colour left out would read as the system's text colour.
controls::PropertyBag BarSettings() {
    controls::PropertyBag bag;
    bag.Write(L"ForeColor", controls::RgbColor(0, 0, 0), controls::progress_defaults::kSavedForeColor);
    bag.Write(L"ShowText", true, controls::progress_defaults::kShowText);
    bag.WriteAlways(L"Font", win32::FontSpec{L"MS Sans Serif", 8.25});
    bag.Write(L"XpStyle", true, controls::progress_defaults::kXpStyle);
    return bag;
}

void SetCaption(HWND window, const std::wstring& text) { SetWindowTextW(window, text.c_str()); }

} // namespace

dlgSave::dlgSave(HWND owner) : owner_(owner) {}

dlgSave::~dlgSave() { Close(); }

ProgressWindowFactory dlgSave::Factory() {
    return [](HWND owner) -> std::unique_ptr<ProgressDisplay> { return std::make_unique<dlgSave>(owner); };
}

void dlgSave::Show() {
    Close(); // a fresh window for every operation
    wanted_ = Content{};
    shown_ = Content{};
    CreateFrame(kClassName, kCaption, kClientArea, owner_);
    CreateControls();
    SetWindowIcons(Handle(), L"Main", true);
    // The operation cannot be stopped half-way: the window has no close command.
    EnableMenuItem(GetSystemMenu(Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    lastShown_ = GetTickCount64();
}

void dlgSave::CreateControls() {
    labelFont_ = win32::FontSpec::MessageFont().Create();
    // The status line ends where the item lines begin, so that the two labels never paint over each other.
    lblStatus_ = FullWidthLabel(Handle(), SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS, kStatusTop, kFileTop - kStatusTop,
                                labelFont_.Get());
    lblFile_ = FullWidthLabel(Handle(), SS_LEFT | SS_EDITCONTROL, kFileTop, kFileHeight, labelFont_.Get());
    SetCaption(lblStatus_, shown_.status);
    const int barTops[] = {kBarTop, kBar2Top};
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        bars_[i] = std::make_unique<controls::lumoProgressBar>(
            Handle(), TwipsToPixelsX(kControlLeft), TwipsToPixelsY(barTops[i]), TwipsToPixelsX(kControlWidth),
            TwipsToPixelsY(kBarHeight));
        bars_[i]->ReadProperties(BarSettings());
    }
}

void dlgSave::Close() {
    if (Handle()) {
        ShowNow(); // the last values are seen as the window goes
    }
    for (auto& bar : bars_) {
        bar.reset();
    }
    lblStatus_ = nullptr;
    lblFile_ = nullptr;
    DestroyHandle();
    labelFont_.Reset();
}

void dlgSave::SetStatus(std::wstring_view text) {
    wanted_.status = text;
    stepChanged_ = true;
}

void dlgSave::SetItem(std::wstring_view text) { wanted_.item = text; }

void dlgSave::SetMin(ProgressBar bar, std::int64_t value) {
    Wanted(bar).min = Clamped(value);
    stepChanged_ = true;
}

void dlgSave::SetMax(ProgressBar bar, std::int64_t value) {
    Wanted(bar).max = Clamped(value);
    stepChanged_ = true;
}

void dlgSave::SetValue(ProgressBar bar, std::int64_t value) {
    Wanted(bar).value = Clamped(value);
    stepChanged_ = stepChanged_ || bar == ProgressBar::Stages;
}

void dlgSave::SetText(ProgressBar bar, std::wstring_view text) { Wanted(bar).text = text; }

void dlgSave::SetVisible(ProgressBar bar, bool visible) {
    Wanted(bar).visible = visible;
    stepChanged_ = true;
}

void dlgSave::Breathe() {
    const ULONGLONG now = GetTickCount64();
    if (!stepChanged_ && now - lastShown_ < kRepaintIntervalMs) {
        return;
    }
    ShowNow();
    win32::PumpPendingMessages();
    lastShown_ = GetTickCount64();
}

void dlgSave::ShowNow() {
    stepChanged_ = false;
    if (!Handle()) {
        return;
    }
    if (wanted_.status != shown_.status) {
        SetCaption(lblStatus_, wanted_.status);
        shown_.status = wanted_.status;
    }
    if (wanted_.item != shown_.item) {
        SetCaption(lblFile_, wanted_.item);
        shown_.item = wanted_.item;
    }
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const BarContent& wanted = wanted_.bars[i];
        BarContent& shown = shown_.bars[i];
        controls::lumoProgressBar& bar = *bars_[i];
        if (wanted.visible != shown.visible) {
            ShowWindow(bar.Handle(), wanted.visible ? SW_SHOWNA : SW_HIDE);
            shown.visible = wanted.visible;
        }
        // Each setter repaints the bar; only what changed is set.
        if (wanted.min != shown.min) {
            bar.Min(wanted.min);
            shown.min = wanted.min;
        }
        if (wanted.max != shown.max) {
            bar.Max(wanted.max);
            shown.max = wanted.max;
        }
        if (wanted.value != shown.value) {
            bar.Value(wanted.value);
            shown.value = wanted.value;
        }
        if (wanted.text != shown.text) {
            bar.Text(wanted.text);
            shown.text = wanted.text;
        }
    }
}

LRESULT dlgSave::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: return 0; // it goes when its operation ends
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            return 0;
        }
        break;
    default: break;
    }
    return SecondaryWindow::HandleMessage(message, wParam, lParam);
}

} // namespace quarrow::app
