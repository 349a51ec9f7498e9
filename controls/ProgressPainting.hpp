#pragma once
// The drawing steps of the progress bar that stand on their own: colour fills, the three border
// looks, tiling a picture aligned to the surface origin, and the one-line caption.

#include "ColorMath.hpp"
#include "ProgressGeometry.hpp"

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace quarrow::controls {

inline RECT ToRECT(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Saves everything selected and set in a context (font, colours, clip) and puts it back when it ends,
// so that a surface kept between paints starts every paint alike.
class DcStateScope {
public:
    explicit DcStateScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcStateScope() {
        if (saved_ != 0) {
            RestoreDC(dc_, saved_);
        }
    }
    DcStateScope(const DcStateScope&) = delete;
    DcStateScope& operator=(const DcStateScope&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Fills `area` with a stored colour: a system colour with the system's own brush, an RGB colour with a
// solid brush made for the purpose.
void FillWithColour(HDC dc, const PixelRect& area, OleColor colour);

// The control's border on `rect`. Appearance 0: a black outline; 1: one-pixel highlight and shadow
// lines, raised or sunken; 2: the system's soft 3-D edge. Other appearances draw nothing.
void DrawBorder(HDC dc, std::int32_t appearance, const PixelRect& rect, bool raised);

// Covers (x, y, width, height) of `dc` with copies of the sourceWidth × sourceHeight picture in
// `source`, aligned to the surface origin (see ForEachTile).
void TileArea(HDC dc, int x, int y, int width, int height, HDC source, int sourceWidth, int sourceHeight);

// The DrawText flags of a one-line caption: alignX 0 left, 1 centre, 2 right; alignY 0 top, 1 centre,
// 2 bottom. Other values align left or top. Prefix processing stays on: "&" underlines the next
// character.
UINT CaptionFormat(std::int32_t alignX, std::int32_t alignY);

// Draws `text` with `font` in `colour` over a transparent background.
void DrawCaption(HDC dc, std::wstring_view text, const PixelRect& area, UINT format, HFONT font, OleColor colour);

} // namespace quarrow::controls
