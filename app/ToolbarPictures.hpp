#pragma once
// The 16 × 16 pictures of the toolbar buttons, drawn at build time into the program's resources under
// the buttons' names.

#include "Picture.hpp"

#include <string_view>

namespace quarrow::app {

// The picture named `buttonName` ("btnOpen"); the empty picture when the resources hold none.
controls::Picture ToolbarPicture(std::wstring_view buttonName);

} // namespace quarrow::app
