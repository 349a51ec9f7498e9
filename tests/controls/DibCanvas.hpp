#pragma once
// A 32-bit top-down DIB section with its own memory context: tests paint into it through the context
// and read the pixels back from memory.

#include "Gdi.hpp"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quarrow::testing {

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF background = RGB(0, 0, 255)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dc_ = win32::CreateMemoryDC();
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<std::uint32_t*>(bits);
        selection_.emplace(dc_.Get(), bitmap_.Get());
        Fill(background);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    bool Ready() const { return bits_ != nullptr; }

    void Fill(COLORREF colour) {
        const RECT all{0, 0, width_, height_};
        const win32::UniqueBrush brush(CreateSolidBrush(colour));
        FillRect(dc_.Get(), &all, brush.Get());
    }

    // The colour at (x, y) as 0x00BBGGRR.
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const std::uint32_t bgra = bits_[y * width_ + x];
        return RGB(bgra >> 16 & 0xFF, bgra >> 8 & 0xFF, bgra & 0xFF);
    }

    // The area (left, top)…(right, bottom), inclusive, one text line per row with one character per
    // pixel from `name`, for comparing painted shapes with a drawing.
    std::string Render(int left, int top, int right, int bottom, const std::function<char(COLORREF)>& name) const {
        std::string rows;
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                rows += name(Pixel(x, y));
            }
            rows += '\n';
        }
        return rows;
    }

private:
    int width_;
    int height_;
    win32::UniqueDC dc_;
    win32::UniqueBitmap bitmap_;
    std::optional<win32::SelectedObject> selection_;
    std::uint32_t* bits_ = nullptr;
};

} // namespace quarrow::testing
