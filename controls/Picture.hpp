#pragma once
// A picture as the controls take it: an icon or a bitmap together with its size in pixels. Copies
// share the one handle, which is released with the last copy, so a host can give the same picture to
// several controls.

#include "Gdi.hpp"
#include "Handles.hpp"

#include <windows.h>

#include <memory>
#include <variant>

namespace quarrow::controls {

class Picture {
public:
    enum class Type { None, Bitmap, Icon };

    // The empty picture.
    Picture() = default;
    // Takes ownership; a handle that is not a usable bitmap or icon gives the empty picture.
    static Picture FromBitmap(win32::UniqueBitmap bitmap);
    static Picture FromIcon(win32::UniqueIcon icon);

    Type Kind() const;
    // Whether there is a picture with a handle.
    explicit operator bool() const { return owned_ != nullptr; }
    HBITMAP Bitmap() const; // null unless a bitmap
    HICON Icon() const;     // null unless an icon
    // The bitmap or icon handle; null for the empty picture.
    HANDLE Handle() const;
    int Width() const { return owned_ ? owned_->width : 0; }
    int Height() const { return owned_ ? owned_->height : 0; }

    // Draws the whole picture scaled into (x, y, width, height): an icon with its mask, a bitmap by a
    // stretching copy. False when there is nothing to draw or the system refused.
    bool Draw(HDC dc, int x, int y, int width, int height) const;

    // Two pictures are equal when they share the same handle (or are both empty).
    friend bool operator==(const Picture& a, const Picture& b) { return a.owned_ == b.owned_; }

private:
    struct Owned {
        std::variant<win32::UniqueBitmap, win32::UniqueIcon> handle;
        int width = 0;
        int height = 0;
    };
    explicit Picture(std::shared_ptr<const Owned> owned) : owned_(std::move(owned)) {}

    std::shared_ptr<const Owned> owned_;
};

} // namespace quarrow::controls
