#include "ArrowGlyphIcon.hpp"

#include "ButtonGeometry.hpp"
#include "Gdi.hpp"

#include <array>
#include <cstdint>
#include <cstring>

namespace quarrow::controls {

win32::UniqueIcon CreateArrowGlyphIcon() {
    // The AND mask: one bit per pixel, the most significant first, rows of two bytes; a set bit leaves
    // the background showing.
    constexpr int kRowBytes = kArrowGlyphSize / 8;
    std::array<std::uint8_t, kRowBytes * kArrowGlyphSize> mask{};
    for (int y = 0; y < kArrowGlyphSize; ++y) {
        for (int x = 0; x < kArrowGlyphSize; ++x) {
            if (!ArrowGlyphCovers(x, y)) {
                mask[static_cast<std::size_t>(y * kRowBytes + x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    const win32::UniqueBitmap maskBitmap(CreateBitmap(kArrowGlyphSize, kArrowGlyphSize, 1, 1, mask.data()));

    // The colour bitmap is black throughout: where the mask is clear, that black is what shows.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kArrowGlyphSize;
    info.bmiHeader.biHeight = kArrowGlyphSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const win32::UniqueBitmap colourBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!maskBitmap || !colourBitmap || !bits) {
        return win32::UniqueIcon();
    }
    std::memset(bits, 0, sizeof(std::uint32_t) * kArrowGlyphSize * kArrowGlyphSize);
    ICONINFO pieces{TRUE, 0, 0, maskBitmap.Get(), colourBitmap.Get()};
    return win32::UniqueIcon(CreateIconIndirect(&pieces));
}

} // namespace quarrow::controls
