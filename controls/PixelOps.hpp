#pragma once
// Operations on 32-bit pixels in memory (4 bytes per pixel: blue, green, red, alpha), the arithmetic
// behind the bitmap surface's colour operations and the disabled gray look. Free of the system, so
// they are tested natively.

#include <cstddef>
#include <cstdint>
#include <random>
#include <span>

namespace quarrow::controls {

inline constexpr int kBytesPerPixel = 4;
inline constexpr std::size_t kBlue = 0, kGreen = 1, kRed = 2, kAlpha = 3;

// A view of a 32-bit image whose rows are stored bottom-up without filler bytes, as a bottom-up DIB
// section keeps them. Coordinates count from the top-left corner.
struct BgraImage {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;

    std::size_t BytesPerScanLine() const { return static_cast<std::size_t>(width) * kBytesPerPixel; }
    std::size_t SizeInBytes() const { return BytesPerScanLine() * static_cast<std::size_t>(height); }
    std::span<std::uint8_t> Bytes() const { return {bits, SizeInBytes()}; }
    std::uint8_t* Pixel(int x, int y) const {
        return bits + static_cast<std::size_t>(height - 1 - y) * BytesPerScanLine() +
               static_cast<std::size_t>(x) * kBytesPerPixel;
    }
};

// Scales each pixel's hue by `hue`, its luminance by `luminance` and its saturation by `saturation`
// (both held to at most 1). Alpha is left alone.
void ModifyPixelsHLS(std::span<std::uint8_t> bgra, double hue, double luminance, double saturation);

// Raises (or, for a negative amount, lowers) each pixel's luminance by `percent` per cent, held to at
// most 1; hue and saturation stay.
void LightenPixels(std::span<std::uint8_t> bgra, int percent);

// Turns every colour except the kept neutral grays into its gray level. Alpha is left alone.
void GrayPixels(std::span<std::uint8_t> bgra);

// Random alpha per pixel and random colour channels premultiplied by it; `gray` draws one level for
// all three channels.
void RandomisePixels(std::span<std::uint8_t> bgra, bool gray, std::mt19937& generator);

// Fills `to` from `from` by bilinear interpolation of all four channels, pixel centres aligned.
void ResamplePixels(const BgraImage& from, const BgraImage& to);

// Source-over blend of premultiplied `source` onto `destination` with a constant alpha on top of each
// source pixel's own, over the area both images cover, aligned at their top-left corners.
void AlphaBlendPixels(const BgraImage& source, const BgraImage& destination, std::uint8_t constantAlpha);

} // namespace quarrow::controls
