#pragma once
// The progress bar's defaults. A new bar starts with these; saved settings leave out values equal to
// them, and a missing key reads as them. Two colours differ between the two: a new bar's caption is
// black, while a missing "ForeColor" key reads as the system's window-text colour.

#include "ColorMath.hpp"

#include <cstdint>

namespace quarrow::controls::progress_defaults {

inline constexpr OleColor kSystemColour = 0x80000000u;

inline constexpr std::int32_t kMin = 0;
inline constexpr std::int32_t kMax = 100;
inline constexpr std::int32_t kValue = 0;
inline constexpr bool kShowText = false;
inline constexpr std::int32_t kTextAlignX = 1; // centre
inline constexpr std::int32_t kTextAlignY = 1; // centre
inline constexpr bool kSegments = false;
inline constexpr bool kXpStyle = false;
inline constexpr std::int32_t kBorderStyle = 1;            // sunken
inline constexpr std::int32_t kAppearance = 1;             // thin 3-D
inline constexpr OleColor kBackColor = kSystemColour | 15; // button face
inline constexpr OleColor kCreatedForeColor = RgbColor(0, 0, 0);
inline constexpr OleColor kSavedForeColor = kSystemColour | 8; // window text
inline constexpr OleColor kBarColor = RgbColor(0, 0, 128);
inline constexpr OleColor kBarForeColor = RgbColor(255, 255, 255);
inline constexpr std::int32_t kBackPictureMode = 1; // tile
inline constexpr std::int32_t kBarPictureMode = 1;  // tile

} // namespace quarrow::controls::progress_defaults
