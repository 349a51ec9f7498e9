#include "BitmapContext.hpp"

#include <utility>

namespace quarrow::controls {

BitmapContext::BitmapContext(win32::UniqueDC dc, win32::UniqueBitmap bitmap) {
    if (!dc || !bitmap) {
        return;
    }
    const HGDIOBJ replaced = SelectObject(dc.Get(), bitmap.Get());
    if (!replaced || replaced == HGDI_ERROR) {
        return;
    }
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    replaced_ = replaced;
}

BitmapContext::BitmapContext(BitmapContext&& other) noexcept
    : dc_(std::move(other.dc_)), bitmap_(std::move(other.bitmap_)), replaced_(std::exchange(other.replaced_, nullptr)) {
}

BitmapContext& BitmapContext::operator=(BitmapContext&& other) noexcept {
    if (this != &other) {
        Reset();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        replaced_ = std::exchange(other.replaced_, nullptr);
    }
    return *this;
}

void BitmapContext::Reset() {
    if (dc_ && replaced_) {
        SelectObject(dc_.Get(), replaced_);
    }
    replaced_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
}

} // namespace quarrow::controls
