#include "pcMemDC.hpp"

#include "Gdi.hpp"

namespace quarrow::controls {

HDC pcMemDC::hdc(int Width, int Height) {
    if (surface_ && width_ >= Width && height_ >= Height) {
        return surface_.Dc();
    }
    CreateSurface(Width, Height);
    return surface_.Dc();
}

void pcMemDC::Draw(HDC hdc, int xSrc, int ySrc, int WidthSrc, int HeightSrc, int xDst, int yDst) const {
    if (!surface_) {
        return;
    }
    BitBlt(hdc, xDst, yDst, WidthSrc < 1 ? width_ : WidthSrc, HeightSrc < 1 ? height_ : HeightSrc, surface_.Dc(), xSrc,
           ySrc, SRCCOPY);
}

void pcMemDC::CreateSurface(int width, int height) {
    FreeSurface();
    if (width < 1 || height < 1) {
        return;
    }
    const win32::UniqueDC display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (!display) {
        return;
    }
    surface_ = BitmapContext(win32::CreateMemoryDC(display.Get()),
                             win32::UniqueBitmap(CreateCompatibleBitmap(display.Get(), width, height)));
    if (surface_) {
        width_ = width;
        height_ = height;
    }
}

void pcMemDC::FreeSurface() {
    surface_.Reset();
    width_ = 0;
    height_ = 0;
}

} // namespace quarrow::controls
