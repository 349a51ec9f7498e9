#pragma once
// Bitmaps and icons made pixel by pixel for the surface and picture tests.

#include "Gdi.hpp"
#include "Handles.hpp"

#include <windows.h>

#include <functional>

namespace quarrow::testing {

// A screen-compatible bitmap painted from `colourAt(x, y)`.
inline win32::UniqueBitmap ScreenBitmap(int width, int height, const std::function<COLORREF(int, int)>& colourAt) {
    const win32::WindowDC screen(nullptr);
    win32::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    const win32::UniqueDC dc = win32::CreateMemoryDC(screen.Get());
    const win32::SelectedObject selected(dc.Get(), bitmap.Get());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            SetPixel(dc.Get(), x, y, colourAt(x, y));
        }
    }
    return bitmap;
}

// A colour icon whose pixels come from `colourAt` where `opaqueAt` holds and are transparent elsewhere.
inline win32::UniqueIcon MaskedIcon(int width, int height, const std::function<COLORREF(int, int)>& colourAt,
                                    const std::function<bool(int, int)>& opaqueAt) {
    const win32::UniqueBitmap colour =
        ScreenBitmap(width, height, [&](int x, int y) { return opaqueAt(x, y) ? colourAt(x, y) : RGB(0, 0, 0); });
    const win32::UniqueBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    {
        const win32::UniqueDC dc = win32::CreateMemoryDC();
        const win32::SelectedObject selected(dc.Get(), mask.Get());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                SetPixel(dc.Get(), x, y, opaqueAt(x, y) ? RGB(0, 0, 0) : RGB(255, 255, 255));
            }
        }
    }
    ICONINFO parts{TRUE, 0, 0, mask.Get(), colour.Get()};
    return win32::UniqueIcon(CreateIconIndirect(&parts));
}

} // namespace quarrow::testing
