#include "ToolbarPictures.hpp"

#include "ButtonGeometry.hpp"

#include <string>

namespace quarrow::app {

controls::Picture ToolbarPicture(std::wstring_view buttonName) {
    const std::wstring name(buttonName);
    const int size = controls::kButtonPictureSize;
    win32::UniqueIcon icon(
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_ICON, size, size, 0)));
    return controls::Picture::FromIcon(std::move(icon));
}

} // namespace quarrow::app
