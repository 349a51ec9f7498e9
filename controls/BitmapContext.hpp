#pragma once
// A memory context with a bitmap of its own selected into it, the pairing behind every off-screen
// surface. When it ends, the context's original bitmap goes back in before the bitmap and the context
// are deleted, so neither is deleted while selected.

#include "Gdi.hpp"

#include <windows.h>

namespace quarrow::controls {

class BitmapContext {
public:
    BitmapContext() = default;
    // Selects `bitmap` into `dc`. When the selection fails both are released and the result is empty.
    BitmapContext(win32::UniqueDC dc, win32::UniqueBitmap bitmap);
    ~BitmapContext() { Reset(); }

    BitmapContext(BitmapContext&& other) noexcept;
    BitmapContext& operator=(BitmapContext&& other) noexcept;
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    explicit operator bool() const { return static_cast<bool>(dc_); }

    void Reset();

private:
    win32::UniqueDC dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ replaced_ = nullptr;
};

} // namespace quarrow::controls
