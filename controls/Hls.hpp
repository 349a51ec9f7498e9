#pragma once
// Hue, luminance and saturation of an RGB colour, and back. Hue is counted in sextants and runs from
// −1 to 5 (red 0, green 2, blue 4); luminance and saturation run from 0 to 1. Single precision, as the
// colour operations of the bitmap surfaces have always worked.

#include <cstdint>

namespace quarrow::controls {

struct Hls {
    float Hue = 0;
    float Luminance = 0;
    float Saturation = 0;
};

struct Rgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

Hls RGBToHLS(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Channels are rounded half to even and held to 0…255, so that a hue or luminance scaled beyond its
// range still gives a colour.
Rgb HLSToRGB(float hue, float saturation, float luminance);

} // namespace quarrow::controls
