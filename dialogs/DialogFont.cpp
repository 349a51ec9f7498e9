#include "DialogFont.hpp"

#include "Gdi.hpp"

#include <cmath>
#include <cwchar>

namespace quarrow::dialogs {

namespace {

// Fonts heavier than medium count as bold, as the font dialog's own "Bold" style does.
constexpr LONG kLightestBoldWeight = FW_SEMIBOLD;

} // namespace

int ScreenDotsPerInch() {
    const win32::WindowDC screen(nullptr);
    return screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

DialogFont SystemMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return DialogFont{L"MS Shell Dlg", 9};
    }
    const LOGFONTW& message = metrics.lfMessageFont;
    const double points = std::abs(message.lfHeight) * 72.0 / ScreenDotsPerInch();
    return DialogFontFrom(message, static_cast<int>(std::lround(points * 10)));
}

LOGFONTW LogFontFrom(const DialogFont& font, int dotsPerInch) {
    LOGFONTW logFont{};
    logFont.lfHeight = -static_cast<LONG>(std::lround(font.Size * dotsPerInch / 72.0));
    logFont.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.Italic;
    logFont.lfUnderline = font.Underline;
    logFont.lfStrikeOut = font.Strikethru;
    logFont.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(logFont.lfFaceName, font.Name.c_str(), LF_FACESIZE - 1);
    return logFont;
}

DialogFont DialogFontFrom(const LOGFONTW& logFont, int pointSizeInTenths) {
    DialogFont font;
    font.Name.assign(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE));
    font.Size = pointSizeInTenths / 10.0;
    font.Bold = logFont.lfWeight >= kLightestBoldWeight;
    font.Italic = logFont.lfItalic != 0;
    font.Underline = logFont.lfUnderline != 0;
    font.Strikethru = logFont.lfStrikeOut != 0;
    return font;
}

} // namespace quarrow::dialogs
