#pragma once
// A hidden picture holder of the progress bar: the picture as the host gave it, and a drawable copy of
// it the picture's size that the bar paints from. Luminance and saturation changes work on the copy,
// always starting again from the original picture.

#include "Picture.hpp"
#include "pcDibSection.hpp"

#include <windows.h>

namespace quarrow::controls {

class PictureHolder {
public:
    PictureHolder() = default;
    PictureHolder(const PictureHolder&) = delete;
    PictureHolder& operator=(const PictureHolder&) = delete;

    // Keeps `picture` and makes the drawable copy; the empty picture empties the holder.
    void SetPicture(const Picture& picture);
    const Picture& Get() const { return picture_; }

    // Whether there is a picture to paint from: one with a handle, whose copy could be made.
    bool HasPicture() const { return picture_ && surface_.hdc() != nullptr; }

    // The drawable copy and its size (the picture's).
    HDC Dc() const { return surface_.hdc(); }
    int Width() const { return surface_.Width(); }
    int Height() const { return surface_.Height(); }

    // Replaces the copy by the original picture with its luminance and saturation multiplied (each
    // held to 1 at most), hue unchanged. Nothing happens without a picture.
    void ModifyHLS(double fLuminance, double fSaturation);

private:
    Picture picture_;
    pcDibSection surface_;
};

} // namespace quarrow::controls
