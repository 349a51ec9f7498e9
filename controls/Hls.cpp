#include "Hls.hpp"

#include "ColorMath.hpp"

#include <algorithm>

namespace quarrow::controls {

Hls RGBToHLS(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const float r = red / 255.0f;
    const float g = green / 255.0f;
    const float b = blue / 255.0f;
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});

    Hls hls;
    hls.Luminance = (max + min) / 2.0f;
    if (max == min) {
        return hls;
    }
    const float delta = max - min;
    hls.Saturation = hls.Luminance <= 0.5f ? delta / (max + min) : delta / (2.0f - max - min);
    if (r == max) {
        hls.Hue = (g - b) / delta;
    } else if (g == max) {
        hls.Hue = 2.0f + (b - r) / delta;
    } else {
        hls.Hue = 4.0f + (r - g) / delta;
    }
    return hls;
}

Rgb HLSToRGB(float hue, float saturation, float luminance) {
    float r = luminance;
    float g = luminance;
    float b = luminance;
    if (saturation != 0.0f) {
        const float min =
            luminance <= 0.5f ? luminance * (1.0f - saturation) : luminance - saturation * (1.0f - luminance);
        const float max = 2.0f * luminance - min;
        const float d = max - min;
        if (hue < 0.0f) {
            r = max, g = min, b = min - hue * d;
        } else if (hue < 1.0f) {
            r = max, g = min + hue * d, b = min;
        } else if (hue < 2.0f) {
            r = min - (hue - 2.0f) * d, g = max, b = min;
        } else if (hue < 3.0f) {
            r = min, g = max, b = min + (hue - 2.0f) * d;
        } else if (hue < 4.0f) {
            r = min, g = min - (hue - 4.0f) * d, b = max;
        } else {
            r = min + (hue - 4.0f) * d, g = min, b = max;
        }
    }
    return {ChannelByte(r * 255.0f), ChannelByte(g * 255.0f), ChannelByte(b * 255.0f)};
}

} // namespace quarrow::controls
