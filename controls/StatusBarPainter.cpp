#include "StatusBarPainter.hpp"

#include "Handles.hpp"

#include <commctrl.h>

namespace quarrow::controls {

StatusBarPainter::StatusBarPainter(HDC dc) : dc_(dc), savedState_(SaveDC(dc)) {
    // Texts are drawn over frames and grips that are already there.
    SetBkMode(dc_, TRANSPARENT);
}

// The host's context goes back to its own font, colours and background mode.
StatusBarPainter::~StatusBarPainter() {
    if (savedState_ != 0) {
        RestoreDC(dc_, savedState_);
    }
}

namespace {

constexpr UINT kCentredLine = DT_SINGLELINE | DT_VCENTER;
constexpr UINT kCentredLineWithEllipsis = DT_SINGLELINE | DT_VCENTER | DT_WORD_ELLIPSIS;
// The gap between an icon and the text after it.
constexpr int kIconTextGap = 4;
constexpr int kIconLeftMargin = 2;

// Parts of the visual-styles class "Status".
constexpr int kPanePart = 1;
constexpr int kGripperPanePart = 2;
constexpr int kGripperPart = 3;
constexpr int kBarPart = 4;

class ThemedPainter final : public StatusBarPainter {
public:
    ThemedPainter(HDC dc, win32::UniqueTheme theme) : StatusBarPainter(dc), theme_(std::move(theme)) {}

    void PanelBackground(const PanelPaint& panel) override {
        const RECT rect = ToRect(panel.rect);
        DrawThemeBackground(theme_.Get(), dc_, PartOf(panel), 0, &rect, nullptr);
    }

    void PanelContent(const PanelPaint& panel) override {
        RECT content = ContentRect(PartOf(panel), panel.rect);
        UINT format = kCentredLine;
        if (panel.icon) {
            const RECT r = ToRect(panel.rect);
            DrawIconEx(dc_, r.left + kIconLeftMargin, PanelIconTop(panel.rect, panel.iconSize, 2), panel.icon,
                       panel.iconSize, panel.iconSize, 0, nullptr, DI_NORMAL);
            // Only the left edge moves: the text must stay inside its own panel.
            content.left += panel.iconSize + kIconTextGap;
            format = kCentredLineWithEllipsis;
        }
        DrawText(kPanePart, panel.text, content, format);
    }

    void SimpleText(const PixelRect& bar, const std::wstring& text) override {
        const RECT rect = ToRect(bar);
        DrawThemeBackground(theme_.Get(), dc_, kGripperPanePart, 0, &rect, nullptr);
        DrawText(kGripperPanePart, text, ContentRect(kGripperPanePart, bar), kCentredLine);
    }

    void SizeGrip(const PixelRect& bar) override {
        const RECT grip = ToRect(SizeGripBox(bar));
        DrawThemeBackground(theme_.Get(), dc_, kGripperPart, 0, &grip, nullptr);
    }

private:
    static int PartOf(const PanelPaint& panel) { return panel.isLast ? kGripperPanePart : kPanePart; }

    RECT ContentRect(int part, const PixelRect& area) const {
        const RECT bounds = ToRect(area);
        RECT content = bounds;
        if (FAILED(GetThemeBackgroundContentRect(theme_.Get(), dc_, part, 0, &bounds, &content))) {
            content = bounds;
        }
        return content;
    }

    // The theme's texts end in a space, which keeps them off the right frame.
    void DrawText(int part, const std::wstring& text, RECT rect, UINT format) {
        const std::wstring spaced = text + L' ';
        DrawThemeText(theme_.Get(), dc_, part, 0, spaced.c_str(), static_cast<int>(spaced.size()), format, 0, &rect);
    }

    win32::UniqueTheme theme_;
};

class ClassicPainter final : public StatusBarPainter {
public:
    ClassicPainter(HDC dc, const win32::FontSpec& font) : StatusBarPainter(dc), font_(font) {}

    void FillBackground(const PixelRect& bar) {
        const RECT rect = ToRect(bar);
        FillRect(dc_, &rect, GetSysColorBrush(COLOR_BTNFACE));
    }

    void PanelBackground(const PanelPaint& panel) override {
        // A panel drawn by the system call paints its frame with its text; an icon or an owner needs
        // the frame first.
        if (panel.icon || (panel.style & kPanelOwnerDraw)) {
            Frame(panel, L"");
        }
    }

    void PanelContent(const PanelPaint& panel) override {
        if (!panel.icon) {
            Frame(panel, panel.text.c_str());
            return;
        }
        const RECT r = ToRect(panel.rect);
        DrawIconEx(dc_, r.left + kIconLeftMargin, PanelIconTop(panel.rect, panel.iconSize, 1), panel.icon,
                   panel.iconSize, panel.iconSize, 0, nullptr, DI_NORMAL);
        if (!panel.text.empty()) {
            RECT textRect{r.left + panel.iconSize + kIconTextGap, r.top, r.right, r.bottom};
            DrawTextW(dc_, panel.text.c_str(), -1, &textRect, kCentredLineWithEllipsis);
        }
    }

    void SimpleText(const PixelRect& bar, const std::wstring& text) override {
        RECT rect = ToRect(bar);
        DrawTextW(dc_, text.c_str(), -1, &rect, kCentredLine);
    }

    // The grip is two glyphs of the Marlett font: the light and the dark halves of its ridges.
    void SizeGrip(const PixelRect& bar) override {
        win32::FontSpec marlett = font_;
        marlett.name = L"Marlett";
        marlett.points = font_.points * 4 / 3;
        // Smoothing would blend the two colours of the ridges into each other.
        const win32::UniqueFont font = marlett.Create(dc_, NONANTIALIASED_QUALITY);
        const win32::SelectedObject selected(dc_, font.Get());
        RECT rect = ToRect(bar);
        OffsetRect(&rect, -2, -1);
        constexpr UINT kBottomRight = DT_SINGLELINE | DT_BOTTOM | DT_RIGHT;
        SetTextColor(dc_, GetSysColor(COLOR_3DHIGHLIGHT));
        DrawTextW(dc_, L"o", 1, &rect, kBottomRight);
        SetTextColor(dc_, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc_, L"p", 1, &rect, kBottomRight);
    }

private:
    void Frame(const PanelPaint& panel, const wchar_t* text) {
        const RECT rect = ToRect(panel.rect);
        DrawStatusTextW(dc_, &rect, text, panel.style & kPanelSystemStyles);
    }

    win32::FontSpec font_;
};

std::unique_ptr<StatusBarPainter> TryThemedPaint(const StatusBarCanvas& canvas) {
    win32::UniqueTheme theme(OpenThemeData(canvas.window, L"Status"));
    if (!theme) {
        return nullptr;
    }
    const RECT bar = ToRect(canvas.bar);
    if (FAILED(DrawThemeBackground(theme.Get(), canvas.dc, kBarPart, 0, &bar, nullptr))) {
        return nullptr;
    }
    return std::make_unique<ThemedPainter>(canvas.dc, std::move(theme));
}

} // namespace

std::unique_ptr<StatusBarPainter> BeginStatusBarPaint(const StatusBarCanvas& canvas, bool themed) {
    if (themed) {
        if (auto painter = TryThemedPaint(canvas)) {
            return painter;
        }
    }
    auto classic = std::make_unique<ClassicPainter>(canvas.dc, canvas.font);
    classic->FillBackground(canvas.bar);
    return classic;
}

} // namespace quarrow::controls
