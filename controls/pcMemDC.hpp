#pragma once
// A grow-only off-screen surface compatible with the display: paints are composed in it and copied to
// the window in one step, so nothing flickers. It is recreated only when a larger size is asked for.

#include "BitmapContext.hpp"

#include <windows.h>

namespace quarrow::controls {

class pcMemDC {
public:
    pcMemDC() = default;
    pcMemDC(const pcMemDC&) = delete;
    pcMemDC& operator=(const pcMemDC&) = delete;

    // A context of at least Width × Height: the current one when it is large enough, otherwise a new
    // one of exactly that size. Null when the surface cannot be made (a size below 1 included); the
    // caller then draws on its own context.
    HDC hdc(int Width, int Height);

    // Copies WidthSrc × HeightSrc pixels from (xSrc, ySrc) of the surface to (xDst, yDst) of `hdc`; a
    // width or height below 1 means the surface's own.
    void Draw(HDC hdc, int xSrc = 0, int ySrc = 0, int WidthSrc = 0, int HeightSrc = 0, int xDst = 0,
              int yDst = 0) const;

    // The surface's current size; 0 × 0 when there is none.
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void CreateSurface(int width, int height);
    void FreeSurface();

    BitmapContext surface_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace quarrow::controls
