#pragma once
// The Help window: the usage notes in a read-only text box. Modal to the main window, rebuilt at every
// opening.

#include <windows.h>

namespace quarrow::app {

inline constexpr wchar_t kHelpWindowClass[] = L"Quarrow.dlgHelp";

// The identifier of the Help window's text box.
inline constexpr int kHelpText1Id = 100;

// Shows the Help window, owned by and centred on `owner`, and returns when it has been closed; the
// owner is disabled meanwhile. Throws std::system_error when the system refuses to create it.
void ShowHelpWindow(HWND owner);

// Closes the Help window that `owner` has open, if any, so that the main window can close it when it
// unloads. The system closes it as well when the owner is destroyed.
void CloseHelpWindow(HWND owner);

} // namespace quarrow::app
