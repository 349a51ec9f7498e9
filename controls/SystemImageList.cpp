#include "SystemImageList.hpp"

namespace quarrow::controls {

SystemImageList::SystemImageList(int width, int height)
    : list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4)), height_(height) {}

int SystemImageList::Add(HICON icon) { return list_ ? ImageList_AddIcon(list_.Get(), icon) : -1; }

int SystemImageList::Count() const { return list_ ? ImageList_GetImageCount(list_.Get()) : 0; }

win32::UniqueIcon SystemImageList::ExtractIcon(int index) {
    if (!list_ || index < 1 || index > Count()) {
        return {};
    }
    return win32::UniqueIcon(ImageList_GetIcon(list_.Get(), index - 1, ILD_NORMAL));
}

} // namespace quarrow::controls
