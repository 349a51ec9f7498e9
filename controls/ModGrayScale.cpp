#include "ModGrayScale.hpp"

#include "Gdi.hpp"
#include "Handles.hpp"
#include "PixelOps.hpp"
#include "pcDibSection.hpp"

#include <cstdlib>

namespace quarrow::controls {

using win32::SelectedObject;
using win32::UniqueBitmap;
using win32::UniqueDC;
using win32::UniqueIcon;
using win32::WindowDC;

bool GrayBitmap(HDC dc, HBITMAP bitmap, int x, int y, int sourceX, int sourceY) {
    BITMAP shape{};
    if (!dc || !bitmap || GetObjectType(bitmap) != OBJ_BITMAP || GetObjectW(bitmap, sizeof shape, &shape) == 0) {
        return false;
    }
    const int width = shape.bmWidth;
    const int height = std::abs(shape.bmHeight);
    if (width < 1 || height < 1) {
        return false;
    }
    const WindowDC screen(nullptr);
    if (!screen) {
        return false;
    }
    const UniqueDC memory = win32::CreateMemoryDC(screen.Get());
    if (!memory) {
        return false;
    }
    const SelectedObject selected(memory.Get(), bitmap);
    if (GetCurrentObject(memory.Get(), OBJ_BITMAP) != bitmap) {
        return false;
    }

    // The colours are worked on in a 32-bit copy and copied back in one go, which gives the same
    // pixels as reading and writing them one at a time through the system.
    pcDibSection work;
    if (!work.Create(width, height)) {
        return false;
    }
    work.LoadPictureBlt(memory.Get());
    GdiFlush();
    GrayPixels(work.Pixels().Bytes());
    work.PaintPicture(memory.Get());

    BitBlt(dc, x, y, width, height, memory.Get(), sourceX, sourceY, SRCCOPY);
    return true;
}

bool DrawGrayIcon(HDC dc, HICON icon, int x, int y, int height, int width) {
    ICONINFO parts{};
    if (!dc || !icon || !GetIconInfo(icon, &parts)) {
        return false;
    }
    // GetIconInfo hands out copies that are ours to delete.
    const UniqueBitmap mask(parts.hbmMask);
    const UniqueBitmap colour(parts.hbmColor);
    if (!mask || !colour) {
        return false;
    }
    const UniqueDC memory = win32::CreateMemoryDC();
    if (!memory || !GrayBitmap(memory.Get(), colour.Get(), 0, 0, 0, 0)) {
        return false;
    }
    ICONINFO grayParts{TRUE, 0, 0, mask.Get(), colour.Get()};
    const UniqueIcon gray(CreateIconIndirect(&grayParts));
    return gray && DrawIconEx(dc, x, y, gray.Get(), width, height, 0, nullptr, DI_NORMAL);
}

} // namespace quarrow::controls
