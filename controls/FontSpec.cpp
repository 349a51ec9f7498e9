#include "FontSpec.hpp"

#include <cmath>

namespace quarrow::controls {

namespace {

int PixelsPerInchY(HDC dc) {
    if (dc) {
        return GetDeviceCaps(dc, LOGPIXELSY);
    }
    const win32::WindowDC screen(nullptr);
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

} // namespace

win32::UniqueFont FontSpec::Create(HDC dc, BYTE quality) const {
    LOGFONTW font{};
    // A negative height asks for the character height (without internal leading), as points mean.
    font.lfHeight = -static_cast<LONG>(std::lround(points * PixelsPerInchY(dc) / 72.0));
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
    return win32::UniqueFont(CreateFontIndirectW(&font));
}

namespace {

FontSpec Describe(const LOGFONTW& described, HDC dc) {
    FontSpec font;
    font.name = described.lfFaceName;
    font.points = std::abs(described.lfHeight) * 72.0 / PixelsPerInchY(dc);
    font.bold = described.lfWeight >= FW_BOLD;
    font.italic = described.lfItalic != 0;
    font.underline = described.lfUnderline != 0;
    font.strikethrough = described.lfStrikeOut != 0;
    font.charset = described.lfCharSet;
    return font;
}

} // namespace

FontSpec FontSpec::FromFont(HFONT font, HDC dc) {
    LOGFONTW described{};
    if (!font || !GetObjectW(font, sizeof described, &described)) {
        return {};
    }
    return Describe(described, dc);
}

FontSpec FontSpec::MessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        FontSpec fallback;
        fallback.name = L"MS Shell Dlg";
        return fallback;
    }
    return Describe(metrics.lfMessageFont, nullptr);
}

} // namespace quarrow::controls
