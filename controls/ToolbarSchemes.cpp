#include "ToolbarSchemes.hpp"

namespace quarrow::controls {

const SchemeColors& ColorsOf(ColorScheme scheme) {
    static constexpr SchemeColors kBlue{RgbColor(221, 236, 254), RgbColor(129, 169, 226), RgbColor(59, 97, 156),
                                        RgbColor(0, 0, 128),     RgbColor(118, 167, 241), RgbColor(0, 53, 145)};
    static constexpr SchemeColors kOlive{RgbColor(247, 249, 225), RgbColor(181, 197, 143), RgbColor(96, 128, 88),
                                         RgbColor(63, 93, 56),    RgbColor(177, 195, 141), RgbColor(96, 119, 107)};
    static constexpr SchemeColors kSilver{RgbColor(244, 244, 251), RgbColor(153, 151, 180), RgbColor(124, 124, 148),
                                          RgbColor(75, 75, 111),   RgbColor(180, 179, 200), RgbColor(118, 116, 146)};
    switch (scheme) {
    case ColorScheme::Blue: return kBlue;
    case ColorScheme::Olive: return kOlive;
    case ColorScheme::Silver: break;
    }
    return kSilver;
}

ColorScheme SchemeForThemeColor(std::int32_t themeColor) {
    switch (themeColor) {
    case 0: return ColorScheme::Blue;
    case 2:
    case 3: return ColorScheme::Olive;
    default: return ColorScheme::Silver;
    }
}

ColorScheme SchemeForVisualStyle(bool appThemed, std::wstring_view colorSchemeName) {
    if (appThemed && colorSchemeName == L"NormalColor") {
        return ColorScheme::Blue;
    }
    if (appThemed && colorSchemeName == L"HomeStead") {
        return ColorScheme::Olive;
    }
    return ColorScheme::Silver;
}

} // namespace quarrow::controls
