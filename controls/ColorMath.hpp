#pragma once
// Colour arithmetic of the painting routines, kept free of the system so that it is tested natively.
// Colours are OLE colours: 0x00BBGGRR (red in the low byte), or a system colour index with the high
// bit set, which only TranslateColor understands.

#include <array>
#include <cstdint>

namespace quarrow::controls {

using OleColor = std::uint32_t;

// What TranslateColor answers for a colour the system cannot translate (the value −1).
inline constexpr OleColor kUntranslatableColor = 0xFFFFFFFFu;

constexpr OleColor RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<OleColor>(red) | static_cast<OleColor>(green) << 8 | static_cast<OleColor>(blue) << 16;
}
constexpr std::uint8_t RedOf(OleColor colour) { return static_cast<std::uint8_t>(colour & 0xFF); }
constexpr std::uint8_t GreenOf(OleColor colour) { return static_cast<std::uint8_t>(colour >> 8 & 0xFF); }
constexpr std::uint8_t BlueOf(OleColor colour) { return static_cast<std::uint8_t>(colour >> 16 & 0xFF); }

// The nearest integer, with halves going to the even neighbour (2.5 gives 2, 3.5 gives 4). Spelled out
// rather than left to the floating-point environment's rounding mode.
double RoundHalfEven(double value);

// A channel value rounded half to even and held to 0…255; NaN gives 0.
std::uint8_t ChannelByte(double value);

// The per-channel average of two colours, halves rounded to even.
OleColor MixColors(OleColor a, OleColor b);

// The line colours of a vertical two-colour gradient over `count` steps (count + 1 lines). The step is
// worked out in double precision and kept in single precision, as the painted pixels depend on it.
class VerticalGradient {
public:
    VerticalGradient(OleColor first, OleColor last, int count);

    // Colour of line i; line 0 is `first` and line `count` is `last`. A count of 0 has only line 0.
    OleColor LineColor(long long i) const;

private:
    std::array<float, 3> first_{};
    std::array<float, 3> step_{};
};

// The disabled look keeps these sixteen neutral grays and turns every other colour into gray.
bool IsKeptGray(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// Gray level 0.59 G + 0.33 R + 0.11 B, rounded half to even; the weights add up to 1.03, so light
// colours are held to 255.
std::uint8_t GrayLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

} // namespace quarrow::controls
