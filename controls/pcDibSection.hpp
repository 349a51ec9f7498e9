#pragma once
// A 32-bit bottom-up DIB section with a device context of its own and direct access to its pixel
// bytes (blue, green, red, alpha; BytesPerScanLine = Width × 4, no row filler). It loads pictures and
// bitmaps, draws itself (by block copy, through DrawDib, or alpha-blended), saves itself as a BMP
// file and offers per-pixel colour operations. Sizes of −1 (any negative size) mean the surface's own.

#include "BitmapContext.hpp"
#include "DrawDib.hpp"
#include "PixelOps.hpp"

#include <windows.h>

#include <memory>
#include <string>

namespace quarrow::controls {

class Picture;

class pcDibSection {
public:
    pcDibSection() = default;
    ~pcDibSection() { ClearUp(); }
    pcDibSection(const pcDibSection&) = delete;
    pcDibSection& operator=(const pcDibSection&) = delete;

    // Replaces the surface with a cleared lWidth × lHeight one; UseDrawDib keeps its setting. False,
    // leaving the object empty, when the size is below 1 × 1, too large, or refused by the system.
    bool Create(int lWidth, int lHeight);
    // A surface the size of `hBmp` holding a copy of it. False, with the object unchanged, when the
    // handle is not a bitmap.
    bool CreateFromHBitmap(HBITMAP hBmp);
    // As CreateFromHBitmap for a bitmap picture; an icon picture is drawn (mask and alpha applied) onto
    // a cleared surface of its size. False, with the object unchanged, for an empty picture.
    bool CreateFromPicture(const Picture& picThis);

    // Copies from lHDC into the surface at (0, 0) with raster operation eRop.
    void LoadPictureBlt(HDC lHDC, int lSrcLeft = 0, int lSrcTop = 0, int lSrcWidth = -1, int lSrcHeight = -1,
                        DWORD eRop = SRCCOPY) const;
    // Draws the surface's (lSrcLeft, lSrcTop) corner at the destination rectangle: through DrawDib
    // while UseDrawDib is on, otherwise by a block copy with eRop.
    void PaintPicture(HDC lHDC, int lDestLeft = 0, int lDestTop = 0, int lDestWidth = -1, int lDestHeight = -1,
                      int lSrcLeft = 0, int lSrcTop = 0, DWORD eRop = SRCCOPY) const;
    // The system's alpha blend (source over, per-pixel premultiplied alpha times lConstantAlpha / 255).
    // A blend the system refuses leaves the destination as it was.
    void AlphaPaintPicture(HDC lHDC, int lDestLeft = 0, int lDestTop = 0, int lDestWidth = -1, int lDestHeight = -1,
                           int lSrcLeft = 0, int lSrcTop = 0, BYTE lConstantAlpha = 255) const;

    // True while a DrawDib handle is open. Setting true opens one if the system has the engine; when it
    // has not, the property stays false and drawing uses the block copy.
    bool UseDrawDib() const { return static_cast<bool>(drawDib_); }
    void UseDrawDib(bool use);

    HDC hdc() const { return surface_.Dc(); }
    HBITMAP hDib() const { return surface_.Bitmap(); }
    void* DIBSectionBitsPtr() const { return bits_; }
    int Width() const { return info_.bmiHeader.biWidth; }
    int Height() const { return info_.bmiHeader.biHeight; }
    int BytesPerScanLine() const { return Width() * kBytesPerPixel; }
    // The pixels, for direct work on them. Call GdiFlush first when GDI has just drawn on the surface.
    BgraImage Pixels() const { return {static_cast<std::uint8_t*>(bits_), Width(), Height()}; }

    // Writes the surface as a BMP file (58 bytes of headers, then the pixels as stored), replacing any
    // file of that name. Raises error 17 (source "<exe>.cDIBSection", the system's message) when the
    // file cannot be created. False when a write came up short (nothing further is written) or when
    // there is no surface to save (no file is touched then).
    bool SavePicture(const std::wstring& sFileName) const;

    void ModifyHLS(double fHue, double fLuminance, double fSaturation);
    void Lighten(int lAmount);
    // A new surface of the given size holding this one's picture, interpolated bilinearly; null when
    // it cannot be created.
    std::unique_ptr<pcDibSection> Resample(int lNewHeight, int lNewWidth) const;
    void Clear();
    void RandomiseBits(bool bGray = false);
    // Blends `source` onto `destination` in software over the area both cover, aligned at the top-left.
    static void CodeAlphaBlend(const pcDibSection& source, pcDibSection& destination, BYTE SourceConstantAlpha);

    // Releases the surface and closes DrawDib.
    void ClearUp();

private:
    bool CreateDIB(HDC lHDC, int lWidth, int lHeight, win32::UniqueBitmap& hDib);
    std::span<std::uint8_t> FlushedBytes() const;

    BitmapContext surface_;
    UniqueDrawDib drawDib_;
    BITMAPINFO info_{}; // all zero while there is no surface
    void* bits_ = nullptr;
};

} // namespace quarrow::controls
