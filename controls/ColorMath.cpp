#include "ColorMath.hpp"

#include <algorithm>
#include <cmath>

namespace quarrow::controls {

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below; // exact: both share the integer part's scale
    if (fraction > 0.5) {
        return below + 1.0;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::uint8_t ChannelByte(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::uint8_t>(std::clamp(RoundHalfEven(value), 0.0, 255.0));
}

OleColor MixColors(OleColor a, OleColor b) {
    const auto mean = [](std::uint8_t x, std::uint8_t y) { return ChannelByte((x + y) / 2.0); };
    return RgbColor(mean(RedOf(a), RedOf(b)), mean(GreenOf(a), GreenOf(b)), mean(BlueOf(a), BlueOf(b)));
}

VerticalGradient::VerticalGradient(OleColor first, OleColor last, int count) {
    const std::array<std::uint8_t, 3> from{RedOf(first), GreenOf(first), BlueOf(first)};
    const std::array<std::uint8_t, 3> to{RedOf(last), GreenOf(last), BlueOf(last)};
    for (std::size_t c = 0; c < 3; ++c) {
        first_[c] = from[c];
        // A count of 0 has no step to take; its one line is the first colour.
        step_[c] = count == 0 ? 0.0f : static_cast<float>((static_cast<double>(to[c]) - from[c]) / count);
    }
}

OleColor VerticalGradient::LineColor(long long i) const {
    const auto channel = [&](std::size_t c) {
        return ChannelByte(static_cast<double>(first_[c]) + static_cast<double>(step_[c]) * static_cast<double>(i));
    };
    return RgbColor(channel(0), channel(1), channel(2));
}

bool IsKeptGray(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    if (red != green || green != blue) {
        return false;
    }
    return red == 0xFF || (red % 0x10 == 0 && red != 0x90);
}

std::uint8_t GrayLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return ChannelByte(0.59 * green + 0.33 * red + 0.11 * blue);
}

} // namespace quarrow::controls
