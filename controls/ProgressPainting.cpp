#include "ProgressPainting.hpp"

#include "Gdi.hpp"
#include "ModGrad.hpp"

#include <climits>
#include <initializer_list>

namespace quarrow::controls {

namespace {

constexpr OleColor kSystemColourFlag = 0x80000000u;
constexpr OleColor kHighlightColour = kSystemColourFlag | COLOR_BTNHIGHLIGHT; // system colour 20
constexpr OleColor kShadowColour = kSystemColourFlag | COLOR_BTNSHADOW;       // system colour 16

// One connected run of one-pixel lines; like every system line, each ends one pixel short of its
// end point, so only the very last point of the run stays unpainted.
void DrawPolyline(HDC dc, OleColor colour, std::initializer_list<POINT> points) {
    const win32::UniquePen pen(CreatePen(PS_SOLID, 1, TranslateColor(colour)));
    if (!pen || points.size() < 2) {
        return;
    }
    const win32::SelectedObject selected(dc, pen.Get());
    const POINT* point = points.begin();
    MoveToEx(dc, point->x, point->y, nullptr);
    while (++point != points.end()) {
        LineTo(dc, point->x, point->y);
    }
}

} // namespace

void FillWithColour(HDC dc, const PixelRect& area, OleColor colour) {
    const RECT rect = ToRECT(area);
    if (colour & kSystemColourFlag) {
        // The system's colour brushes are shared and never deleted.
        if (const HBRUSH brush = GetSysColorBrush(static_cast<int>(colour & 0x1F))) {
            FillRect(dc, &rect, brush);
        }
        return;
    }
    // Only the three colour bytes: a fourth byte would ask for a palette entry.
    if (const win32::UniqueBrush brush(CreateSolidBrush(colour & 0x00FFFFFFu)); brush) {
        FillRect(dc, &rect, brush.Get());
    }
}

void DrawBorder(HDC dc, std::int32_t appearance, const PixelRect& rect, bool raised) {
    const int l = rect.left;
    const int t = rect.top;
    const int r = rect.right;
    const int b = rect.bottom;
    switch (appearance) {
    case 0: DrawPolyline(dc, RgbColor(0, 0, 0), {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}}); break;
    case 1:
        if (raised) {
            DrawPolyline(dc, kHighlightColour, {{l, b - 2}, {l, t}, {r - 1, t}});
            DrawPolyline(dc, kShadowColour, {{r - 1, t}, {r - 1, b - 1}, {l - 1, b - 1}});
        } else {
            DrawPolyline(dc, kShadowColour, {{l, b - 1}, {l, t}, {r, t}});
            DrawPolyline(dc, kHighlightColour, {{r - 1, t + 1}, {r - 1, b - 1}, {l, b - 1}});
        }
        break;
    case 2: {
        RECT edge = ToRECT(rect);
        DrawEdge(dc, &edge, raised ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
        break;
    }
    default: break;
    }
}

void TileArea(HDC dc, int x, int y, int width, int height, HDC source, int sourceWidth, int sourceHeight) {
    if (width < 1 || height < 1 || x > INT_MAX - width || y > INT_MAX - height) {
        return;
    }
    ForEachTile({x, y, x + width, y + height}, sourceWidth, sourceHeight, [&](const Tile& tile) {
        BitBlt(dc, tile.x, tile.y, tile.width, tile.height, source, tile.sourceX, tile.sourceY, SRCCOPY);
    });
}

UINT CaptionFormat(std::int32_t alignX, std::int32_t alignY) {
    UINT format = DT_SINGLELINE;
    format |= alignX == 1 ? DT_CENTER : alignX == 2 ? DT_RIGHT : DT_LEFT;
    format |= alignY == 1 ? DT_VCENTER : alignY == 2 ? DT_BOTTOM : DT_TOP;
    return format;
}

void DrawCaption(HDC dc, std::wstring_view text, const PixelRect& area, UINT format, HFONT font, OleColor colour) {
    if (text.empty() || text.size() > INT_MAX) {
        return;
    }
    const DcStateScope state(dc);
    const win32::SelectedObject selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TranslateColor(colour));
    RECT rect = ToRECT(area);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

} // namespace quarrow::controls
