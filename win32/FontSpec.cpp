#include "FontSpec.hpp"

#include "Twips.hpp"

#include <cmath>
#include <cwchar>

namespace quarrow::win32 {

namespace {

// Weights above medium count as bold, as the font dialog's own "Bold" style does.
constexpr LONG kLightestBoldWeight = FW_SEMIBOLD;

int DotsPerInchY(HDC dc) { return dc ? GetDeviceCaps(dc, LOGPIXELSY) : ScreenDotsPerInchY(); }

} // namespace

LOGFONTW FontSpec::LogFont(int dotsPerInch, BYTE quality) const {
    LOGFONTW font{};
    // A negative height asks for the character height (without internal leading), as points mean.
    font.lfHeight = -static_cast<LONG>(std::lround(points * dotsPerInch / 72.0));
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic;
    font.lfUnderline = underline;
    font.lfStrikeOut = strikethrough;
    font.lfCharSet = charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = quality;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    name.copy(font.lfFaceName, LF_FACESIZE - 1);
    return font;
}

UniqueFont FontSpec::Create(HDC dc, BYTE quality) const {
    const LOGFONTW font = LogFont(DotsPerInchY(dc), quality);
    return UniqueFont(CreateFontIndirectW(&font));
}

FontSpec FontSpec::FromLogFont(const LOGFONTW& font, int dotsPerInch) {
    FontSpec described;
    described.name.assign(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE));
    described.points = std::abs(font.lfHeight) * 72.0 / dotsPerInch;
    described.bold = font.lfWeight >= kLightestBoldWeight;
    described.italic = font.lfItalic != 0;
    described.underline = font.lfUnderline != 0;
    described.strikethrough = font.lfStrikeOut != 0;
    described.charset = font.lfCharSet;
    return described;
}

FontSpec FontSpec::MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        FontSpec fallback;
        fallback.name = L"MS Shell Dlg";
        return fallback;
    }
    return FromLogFont(metrics.lfMessageFont, ScreenDotsPerInchY());
}

} // namespace quarrow::win32
