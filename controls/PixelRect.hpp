#pragma once
// A rectangle in pixels, as the controls' plain layout code passes it around: right and bottom are
// exclusive, as in the system's RECT.

namespace quarrow::controls {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

} // namespace quarrow::controls
