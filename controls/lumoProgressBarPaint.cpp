// The progress bar's paint: background, bar, segment gaps, the caption in two passes and the border,
// composed in the memory surface and copied to the window in one step.

#include "lumoProgressBar.hpp"

#include "Handles.hpp"
#include "ModGrad.hpp"
#include "ProgressGeometry.hpp"
#include "ProgressPainting.hpp"

#include <uxtheme.h>

#include <cstdlib>
#include <optional>

namespace quarrow::controls {

namespace {

// The visual style's "Progress" class: its parts and the integer properties giving its block sizes.
constexpr wchar_t kThemeClass[] = L"Progress";
constexpr int kWholePart = 0;
constexpr int kBarPart = 1;
constexpr int kVerticalBarPart = 2;
constexpr int kChunkPart = 3;
constexpr int kVerticalChunkPart = 4;
constexpr int kChunkSizeProperty = 2411;
constexpr int kSpaceSizeProperty = 2412;

// A paint in the visual style: the open style data and the block spacing it reported.
struct ThemedLook {
    win32::UniqueTheme theme;
    BlockSpacing spacing;
};

// Draws the style's bar background over the client area. Anything missing or failing (no style, no
// block sizes, a refused drawing) answers nothing, and the paint goes on in the classic look.
std::optional<ThemedLook> PaintThemedBackground(HWND window, HDC dc, const PixelRect& client, bool horizontal) {
    win32::UniqueTheme theme(OpenThemeData(window, kThemeClass));
    if (!theme) {
        return std::nullopt;
    }
    int chunk = 0;
    int space = 0;
    if (FAILED(GetThemeInt(theme.Get(), kWholePart, 0, kChunkSizeProperty, &chunk)) ||
        FAILED(GetThemeInt(theme.Get(), kWholePart, 0, kSpaceSizeProperty, &space))) {
        return std::nullopt;
    }
    const RECT area = ToRECT(client);
    if (FAILED(DrawThemeBackground(theme.Get(), dc, horizontal ? kBarPart : kVerticalBarPart, 0, &area, nullptr))) {
        return std::nullopt;
    }
    return ThemedLook{std::move(theme), ThemedSpacing(chunk, space)};
}

void PaintThemedChunk(const ThemedLook& look, HDC dc, const PixelRect& bar, bool horizontal) {
    const PixelRect chunk = ThemedChunkRect(bar);
    if (chunk.IsEmpty()) {
        return; // an (almost) empty bar; an inside-out rectangle must not reach the style's drawing
    }
    const RECT area = ToRECT(chunk);
    DrawThemeBackground(look.theme.Get(), dc, horizontal ? kChunkPart : kVerticalChunkPart, 0, &area, nullptr);
}

// The caption in the style's text routine, in the style's content area of the working rectangle. The
// style's own font and colour win where it names them; otherwise the caption's font and ForeColor.
void DrawThemedCaption(const ThemedLook& look, HDC dc, const std::wstring& text, const PixelRect& working, UINT format,
                       HFONT font, OleColor colour) {
    const RECT area = ToRECT(working);
    RECT content{};
    if (FAILED(GetThemeBackgroundContentRect(look.theme.Get(), dc, kWholePart, 0, &area, &content))) {
        content = area;
    }
    const DcStateScope state(dc);
    if (font) {
        SelectObject(dc, font);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TranslateColor(colour));
    DrawThemeText(look.theme.Get(), dc, kWholePart, 0, text.c_str(), -1, format, 0, &content);
}

// Mode 1 tiles the picture over `tiles`, aligned to the surface origin; any other mode stretches the
// whole picture over the whole client area.
void PaintPicture(HDC dc, const PictureHolder& holder, std::int32_t mode, const PixelRect& tiles,
                  const PixelRect& client) {
    if (mode == 1) {
        TileArea(dc, tiles.left, tiles.top, tiles.Width(), tiles.Height(), holder.Dc(), holder.Width(),
                 holder.Height());
        return;
    }
    const DcStateScope state(dc);
    SetStretchBltMode(dc, COLORONCOLOR); // whole pixels: a shrunk picture is not darkened by ANDing
    StretchBlt(dc, client.left, client.top, client.Width(), client.Height(), holder.Dc(), 0, 0, holder.Width(),
               holder.Height(), SRCCOPY);
}

} // namespace

void lumoProgressBar::OnPaint(HDC target) {
    if (!target || !Handle()) {
        return;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    const int width = std::abs(client.right - client.left);
    const int height = std::abs(client.bottom - client.top);
    const HDC surface = width > 0 && height > 0 ? memory_.hdc(width, height) : nullptr;
    const HDC dc = surface ? surface : target;
    {
        // The kept surface (or the caller's context) leaves every paint as it found it.
        const DcStateScope state(dc);
        if (BeforePaint) {
            BeforePaint({dc, client.left, client.top, width, height, true});
        }
        Compose(dc, width, height);
    }
    if (surface) {
        memory_.Draw(target, 0, 0, width, height, 0, 0);
    }
}

void lumoProgressBar::Compose(HDC dc, int width, int height) {
    const PixelRect client{0, 0, width, height};
    const bool horizontal = IsHorizontal(width, height);

    std::optional<ThemedLook> themed;
    if (picBack_.HasPicture()) {
        PaintPicture(dc, picBack_, backPictureMode_, client, client);
    } else {
        if (xpStyle_) {
            themed = PaintThemedBackground(Handle(), dc, client, horizontal);
        }
        if (!themed) {
            FillWithColour(dc, client, backColor_);
        }
    }

    std::optional<BlockSpacing> snap;
    if (themed) {
        snap = themed->spacing;
    } else if (segments_) {
        snap = kClassicSegments;
    }
    const PixelRect working = WorkingRect(client, borderStyle_, appearance_, themed.has_value());
    const bool caption = showText_ && !text_.empty();
    const UINT format = CaptionFormat(textAlignX_, textAlignY_);
    const std::wstring spacedText = L" " + text_ + L" ";
    if (caption && !themed) {
        DrawCaption(dc, spacedText, working, format, fontHandle_.Get(), foreColor_);
    }

    const PixelRect bar = BarRect(working, ProgressFraction(value_, min_, max_), horizontal, snap);
    {
        // The classic look clips to the bar, so that the second caption pass recolours only the part
        // of the caption over it.
        std::optional<DcStateScope> clip;
        if (!themed) {
            clip.emplace(dc);
            const PixelRect inside = bar.IsEmpty() ? PixelRect{} : bar;
            IntersectClipRect(dc, inside.left, inside.top, inside.right, inside.bottom);
        }

        if (picBar_.HasPicture()) {
            // Tiles start at the left edge of the control, not of the bar, and span the bar's size.
            const PixelRect tiles{0, bar.top, bar.Width(), bar.bottom};
            PaintPicture(dc, picBar_, barPictureMode_, tiles, client);
        } else if (themed) {
            PaintThemedChunk(*themed, dc, bar, horizontal);
        } else {
            FillWithColour(dc, bar, barColor_);
        }

        if (segments_ && !themed) {
            for (const PixelRect& gap : SegmentGaps(bar, working, horizontal)) {
                FillWithColour(dc, gap, backColor_);
            }
        }

        if (caption) {
            if (themed) {
                DrawThemedCaption(*themed, dc, text_, working, format, fontHandle_.Get(), foreColor_);
            } else {
                DrawCaption(dc, spacedText, working, format, fontHandle_.Get(), barForeColor_);
            }
        }
    }

    if (!themed && borderStyle_ > 0) {
        DrawBorder(dc, appearance_, client, borderStyle_ == 2);
    }
}

} // namespace quarrow::controls
