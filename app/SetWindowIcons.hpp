#pragma once
// Gives a window the program's icon in both system sizes, for its caption and for the task switcher.

#include <windows.h>

namespace quarrow::app {

// Loads the icon group `resourceName` of the program's own module at the large and the small icon
// size (shared icons: the system frees them) and sends them to the window; with `topLevelOwnerToo`
// also to the last window of its owner chain, first. An icon that cannot be loaded is sent as none.
void SetWindowIcons(HWND window, const wchar_t* resourceName = L"Main", bool topLevelOwnerToo = true);

} // namespace quarrow::app
