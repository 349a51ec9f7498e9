#pragma once
// An image-list object that the status bar can take panel icons from: a system image list, perhaps
// created on first use, that may keep images the system list does not know of.

#include "Handles.hpp"

#include <commctrl.h>

namespace quarrow::controls {

class IImageListSource {
public:
    virtual ~IImageListSource() = default;

    // The system image list, created when first asked for; null when there is none. May throw.
    virtual HIMAGELIST Handle() = 0;
    // The number of images the object itself holds.
    virtual int Count() const = 0;
    // The height of its images in pixels.
    virtual int ImageHeight() const = 0;
    // A new icon made from image `index` (1-based), owned by the caller; empty when there is no such
    // image. May throw.
    virtual win32::UniqueIcon ExtractIcon(int index) = 0;
};

} // namespace quarrow::controls
