#pragma once
// The gray rendering of icons that a disabled toolbar button shows: every colour except sixteen
// neutral grays becomes its gray level (see GrayLevel), the icon's mask stays as it is.

#include <windows.h>

namespace quarrow::controls {

// Draws `icon` gray at (x, y) in `width` × `height`. False when the context or the icon is null, when
// the icon has no colour bitmap (not an icon, or a monochrome one) or when it could not be drawn.
bool DrawGrayIcon(HDC dc, HICON icon, int x, int y, int height, int width);

// Turns `bitmap` gray in place, then copies it, from (sourceX, sourceY) of the bitmap, to (x, y) of
// `dc`. False, with nothing changed, when the context or bitmap is null or empty, when no memory
// context can be had, or when the bitmap is selected into another context.
bool GrayBitmap(HDC dc, HBITMAP bitmap, int x, int y, int sourceX, int sourceY);

} // namespace quarrow::controls
