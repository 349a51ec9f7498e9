#pragma once
// The three colour schemes of the toolbar strip and its buttons, and how a `ThemeColor` setting or the
// system's visual style picks one. Plain data and decisions, so that they are tested without a window.

#include "ColorMath.hpp"

#include <cstdint>
#include <string_view>

namespace quarrow::controls {

enum class ColorScheme { Blue, Olive, Silver };

// `ThemeColor` 4 follows the system's visual style instead of naming a scheme.
inline constexpr std::int32_t kAutomaticThemeColor = 4;

struct SchemeColors {
    OleColor faceTop;
    OleColor faceBottom;
    OleColor bottomLine; // the strip's last row
    OleColor dark;       // the grip dots, and the frame of a button's hot and pressed boxes
    OleColor buttonTop;  // the strip's right-end button at rest
    OleColor buttonBottom;
};

const SchemeColors& ColorsOf(ColorScheme scheme);

// 0 blue; 2 and 3 olive; 1 and every other value silver (4 included: callers resolve it first).
ColorScheme SchemeForThemeColor(std::int32_t themeColor);

// Only the luna styles have a scheme of their own: "NormalColor" is blue and "HomeStead" olive while
// visual styles are on; everything else ("Metallic", "Classic", no visual styles) is silver.
ColorScheme SchemeForVisualStyle(bool appThemed, std::wstring_view colorSchemeName);

} // namespace quarrow::controls
