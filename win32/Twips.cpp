#include "Twips.hpp"

#include "Gdi.hpp"

namespace quarrow::win32 {

namespace {

int ScreenDotsPerInch(int axis) {
    const WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), axis) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace

int TwipsToPixelsX(int twips) { return MulDiv(twips, ScreenDotsPerInch(LOGPIXELSX), 1440); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, ScreenDotsPerInchY(), 1440); }
int TwipsPerPixelY() { return 1440 / ScreenDotsPerInchY(); }
int ScreenDotsPerInchY() { return ScreenDotsPerInch(LOGPIXELSY); }

} // namespace quarrow::win32
