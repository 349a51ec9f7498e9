#pragma once
// An owned system image list of icons of one size, usable as the status bar's image list.

#include "ImageListSource.hpp"
#include "UniqueResource.hpp"

namespace quarrow::controls {

namespace traits {
struct ImageList {
    static HIMAGELIST Invalid() { return nullptr; }
    static void Release(HIMAGELIST h) { ImageList_Destroy(h); }
};
} // namespace traits

using UniqueImageList = win32::UniqueResource<HIMAGELIST, traits::ImageList>;

class SystemImageList final : public IImageListSource {
public:
    // An empty list of 32-bit images with masks; Handle() is null when the system refused it.
    SystemImageList(int width, int height);

    // Adds a copy of `icon`; returns its 0-based index, or -1 when it could not be added.
    int Add(HICON icon);

    HIMAGELIST Handle() override { return list_.Get(); }
    int Count() const override;
    int ImageHeight() const override { return height_; }
    win32::UniqueIcon ExtractIcon(int index) override;

private:
    UniqueImageList list_;
    int height_;
};

} // namespace quarrow::controls
