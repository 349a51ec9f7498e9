#include "Picture.hpp"

#include <cstdlib>

namespace quarrow::controls {

using win32::UniqueBitmap;
using win32::UniqueIcon;

Picture Picture::FromBitmap(UniqueBitmap bitmap) {
    BITMAP shape{};
    if (!bitmap || GetObjectType(bitmap.Get()) != OBJ_BITMAP || GetObjectW(bitmap.Get(), sizeof shape, &shape) == 0 ||
        shape.bmWidth < 1 || shape.bmHeight == 0) {
        return {};
    }
    return Picture(std::make_shared<const Owned>(Owned{std::move(bitmap), shape.bmWidth, std::abs(shape.bmHeight)}));
}

Picture Picture::FromIcon(UniqueIcon icon) {
    ICONINFO parts{};
    if (!icon || !GetIconInfo(icon.Get(), &parts)) {
        return {};
    }
    // GetIconInfo hands out copies of both bitmaps; they only tell the size here.
    const UniqueBitmap mask(parts.hbmMask);
    const UniqueBitmap colour(parts.hbmColor);
    BITMAP shape{};
    if (!GetObjectW(colour ? colour.Get() : mask.Get(), sizeof shape, &shape)) {
        return {};
    }
    // A monochrome icon keeps its AND and XOR masks one above the other in the one mask bitmap.
    const int height = colour ? std::abs(shape.bmHeight) : std::abs(shape.bmHeight) / 2;
    return Picture(std::make_shared<const Owned>(Owned{std::move(icon), shape.bmWidth, height}));
}

Picture::Type Picture::Kind() const {
    if (!owned_) {
        return Type::None;
    }
    return std::holds_alternative<UniqueIcon>(owned_->handle) ? Type::Icon : Type::Bitmap;
}

HBITMAP Picture::Bitmap() const {
    const auto* bitmap = owned_ ? std::get_if<UniqueBitmap>(&owned_->handle) : nullptr;
    return bitmap ? bitmap->Get() : nullptr;
}

HICON Picture::Icon() const {
    const auto* icon = owned_ ? std::get_if<UniqueIcon>(&owned_->handle) : nullptr;
    return icon ? icon->Get() : nullptr;
}

HANDLE Picture::Handle() const {
    if (const HICON icon = Icon()) {
        return icon;
    }
    return Bitmap();
}

bool Picture::Draw(HDC dc, int x, int y, int width, int height) const {
    if (!dc) {
        return false;
    }
    if (const HICON icon = Icon()) {
        return DrawIconEx(dc, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
    }
    const HBITMAP bitmap = Bitmap();
    if (!bitmap) {
        return false;
    }
    const win32::UniqueDC source = win32::CreateMemoryDC(dc);
    if (!source) {
        return false;
    }
    const win32::SelectedObject selected(source.Get(), bitmap);
    if (GetCurrentObject(source.Get(), OBJ_BITMAP) != bitmap) {
        return false;
    }
    return StretchBlt(dc, x, y, width, height, source.Get(), 0, 0, Width(), Height(), SRCCOPY);
}

} // namespace quarrow::controls
