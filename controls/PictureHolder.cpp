#include "PictureHolder.hpp"

namespace quarrow::controls {

void PictureHolder::SetPicture(const Picture& picture) {
    picture_ = picture;
    if (!picture_ || !surface_.CreateFromPicture(picture_)) {
        surface_.ClearUp();
    }
}

void PictureHolder::ModifyHLS(double fLuminance, double fSaturation) {
    if (!HasPicture()) {
        return;
    }
    pcDibSection modified;
    if (!modified.CreateFromPicture(picture_)) {
        return;
    }
    modified.ModifyHLS(1.0, fLuminance, fSaturation);
    modified.PaintPicture(surface_.hdc(), 0, 0, surface_.Width(), surface_.Height(), 0, 0, SRCCOPY);
}

} // namespace quarrow::controls
