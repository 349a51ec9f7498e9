#include "PixelOps.hpp"

#include "ColorMath.hpp"
#include "Hls.hpp"

#include <algorithm>
#include <cmath>

namespace quarrow::controls {

namespace {

// Runs `change(hls)` on the colour of every pixel and stores the result, alpha untouched.
template <typename Change> void ForEachPixelHls(std::span<std::uint8_t> bgra, Change change) {
    for (std::size_t i = 0; i + kBytesPerPixel <= bgra.size(); i += kBytesPerPixel) {
        std::uint8_t* pixel = &bgra[i];
        Hls hls = RGBToHLS(pixel[kRed], pixel[kGreen], pixel[kBlue]);
        change(hls);
        const Rgb rgb = HLSToRGB(hls.Hue, hls.Saturation, hls.Luminance);
        pixel[kRed] = rgb.Red;
        pixel[kGreen] = rgb.Green;
        pixel[kBlue] = rgb.Blue;
    }
}

float CappedProduct(float value, double factor) { return static_cast<float>(std::min(value * factor, 1.0)); }

} // namespace

void ModifyPixelsHLS(std::span<std::uint8_t> bgra, double hue, double luminance, double saturation) {
    ForEachPixelHls(bgra, [&](Hls& hls) {
        hls.Hue = static_cast<float>(hls.Hue * hue);
        hls.Luminance = CappedProduct(hls.Luminance, luminance);
        hls.Saturation = CappedProduct(hls.Saturation, saturation);
    });
}

void LightenPixels(std::span<std::uint8_t> bgra, int percent) {
    const double factor = 1.0 + percent / 100.0;
    ForEachPixelHls(bgra, [&](Hls& hls) { hls.Luminance = CappedProduct(hls.Luminance, factor); });
}

void GrayPixels(std::span<std::uint8_t> bgra) {
    for (std::size_t i = 0; i + kBytesPerPixel <= bgra.size(); i += kBytesPerPixel) {
        std::uint8_t* pixel = &bgra[i];
        if (!IsKeptGray(pixel[kRed], pixel[kGreen], pixel[kBlue])) {
            const std::uint8_t level = GrayLevel(pixel[kRed], pixel[kGreen], pixel[kBlue]);
            pixel[kRed] = pixel[kGreen] = pixel[kBlue] = level;
        }
    }
}

void RandomisePixels(std::span<std::uint8_t> bgra, bool gray, std::mt19937& generator) {
    std::uniform_int_distribution<int> level(0, 255);
    for (std::size_t i = 0; i + kBytesPerPixel <= bgra.size(); i += kBytesPerPixel) {
        std::uint8_t* pixel = &bgra[i];
        const int alpha = level(generator);
        const auto premultiplied = [&](int value) { return ChannelByte(value * alpha / 255.0); };
        pixel[kAlpha] = static_cast<std::uint8_t>(alpha);
        if (gray) {
            pixel[kRed] = pixel[kGreen] = pixel[kBlue] = premultiplied(level(generator));
        } else {
            pixel[kRed] = premultiplied(level(generator));
            pixel[kGreen] = premultiplied(level(generator));
            pixel[kBlue] = premultiplied(level(generator));
        }
    }
}

namespace {

// Where destination pixel `index` samples the source along one axis: the two neighbouring source
// pixels and the weight of the second.
struct Sample {
    int first;
    int second;
    double weight;
};

Sample SampleAt(int index, int fromSize, int toSize) {
    const double position = (index + 0.5) * fromSize / toSize - 0.5;
    const double clamped = std::clamp(position, 0.0, static_cast<double>(fromSize - 1));
    const int first = static_cast<int>(std::floor(clamped));
    const int second = std::min(first + 1, fromSize - 1);
    return {first, second, clamped - first};
}

} // namespace

void ResamplePixels(const BgraImage& from, const BgraImage& to) {
    if (from.width < 1 || from.height < 1 || to.width < 1 || to.height < 1) {
        return;
    }
    for (int y = 0; y < to.height; ++y) {
        const Sample sy = SampleAt(y, from.height, to.height);
        for (int x = 0; x < to.width; ++x) {
            const Sample sx = SampleAt(x, from.width, to.width);
            const std::uint8_t* topLeft = from.Pixel(sx.first, sy.first);
            const std::uint8_t* topRight = from.Pixel(sx.second, sy.first);
            const std::uint8_t* bottomLeft = from.Pixel(sx.first, sy.second);
            const std::uint8_t* bottomRight = from.Pixel(sx.second, sy.second);
            std::uint8_t* out = to.Pixel(x, y);
            for (int c = 0; c < kBytesPerPixel; ++c) {
                const double top = topLeft[c] + (topRight[c] - topLeft[c]) * sx.weight;
                const double bottom = bottomLeft[c] + (bottomRight[c] - bottomLeft[c]) * sx.weight;
                out[c] = ChannelByte(top + (bottom - top) * sy.weight);
            }
        }
    }
}

void AlphaBlendPixels(const BgraImage& source, const BgraImage& destination, std::uint8_t constantAlpha) {
    const int width = std::min(source.width, destination.width);
    const int height = std::min(source.height, destination.height);
    const double constant = constantAlpha / 255.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* from = source.Pixel(x, y);
            std::uint8_t* to = destination.Pixel(x, y);
            const double keep = 1.0 - from[kAlpha] * constant / 255.0;
            for (int c = 0; c < kBytesPerPixel; ++c) {
                to[c] = ChannelByte(from[c] * constant + to[c] * keep);
            }
        }
    }
}

} // namespace quarrow::controls
