#include "Twips.hpp"

#include "Gdi.hpp"

namespace quarrow::win32 {

namespace {

int ScreenDpi(int axis) {
    const WindowDC screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.Get(), axis) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace

int TwipsToPixelsX(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSX), 1440); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, ScreenDpi(LOGPIXELSY), 1440); }
int TwipsPerPixelX() { return 1440 / ScreenDpi(LOGPIXELSX); }
int TwipsPerPixelY() { return 1440 / ScreenDpi(LOGPIXELSY); }

} // namespace quarrow::win32
