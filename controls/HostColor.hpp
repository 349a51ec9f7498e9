#pragma once
// The background colour of the window that hosts a control, as an OLE colour: what its class paints
// its background with (a system colour or a solid brush), the dialog face colour otherwise.

#include "ColorMath.hpp"

#include <windows.h>

namespace quarrow::controls {

OleColor WindowBackgroundColor(HWND window);

} // namespace quarrow::controls
