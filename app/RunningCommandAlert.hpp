#pragma once
// A command asked for while another one runs does not start (the busy flag). Instead of nothing
// happening, the user is shown the window the running command reports in or waits on, as the system
// does for a click on a window that a dialog has disabled, and hears the default beep.

#include <windows.h>

namespace quarrow::app {

// Brings the window the user must deal with now to the front, and sounds MessageBeep(MB_OK). That window
// is the topmost visible and enabled progress window or system dialog (a file dialog, the folder
// browser, a message box) of this thread that `mainWindow` owns, directly or through another owned
// window such as the append-content window.
void AlertRunningCommand(HWND mainWindow);

} // namespace quarrow::app
