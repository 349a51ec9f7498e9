#include "FontDescription.hpp"

#include <cmath>

namespace quarrow::controls {

namespace {

constexpr double kPointsPerInch = 72;

int VerticalDpi(HDC dc) {
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace

win32::UniqueFont CreateFontFor(const FontDescription& font, HDC dc, BYTE quality) {
    LOGFONTW logFont{};
    // A negative height asks for the character height (without internal leading), as point sizes mean.
    logFont.lfHeight = -static_cast<LONG>(std::lround(font.size * VerticalDpi(dc) / kPointsPerInch));
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = quality;
    font.name.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return win32::UniqueFont(CreateFontIndirectW(&logFont));
}

FontDescription MessageFontDescription() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return FontDescription{L"MS Shell Dlg"};
    }
    const LOGFONTW& logFont = metrics.lfMessageFont;
    const win32::WindowDC screen(nullptr);
    FontDescription font;
    font.name = logFont.lfFaceName;
    font.size = std::abs(logFont.lfHeight) * kPointsPerInch / VerticalDpi(screen.Get());
    font.bold = logFont.lfWeight >= FW_BOLD;
    font.italic = logFont.lfItalic != 0;
    font.underline = logFont.lfUnderline != 0;
    return font;
}

} // namespace quarrow::controls
