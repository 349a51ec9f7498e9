#pragma once
// The About window: the program's picture, title and version, the credit lines, the legal notice and
// the copyright string of the version resource. Modal to the main window, rebuilt at every opening.

#include <windows.h>

namespace quarrow::app {

inline constexpr wchar_t kAboutWindowClass[] = L"Quarrow.dlgAbout";

// The identifiers of the About window's controls. The credit labels Label2 to Label5 are children of
// Picture1; the others are children of the window.
enum class AboutControl : int {
    Image1 = 100,
    Label1,
    lblVer,
    Picture1,
    Label2,
    Label3,
    Label4,
    Label5,
    txtBox,
    lblCopyright,
};

// Shows the About window, owned by and centred on `owner`, and returns when it has been closed; the
// owner is disabled meanwhile. Throws std::system_error when the system refuses to create it.
void ShowAboutWindow(HWND owner);

// Closes the About window that `owner` has open, if any, so that the main window can close it when it
// unloads. The system closes it as well when the owner is destroyed.
void CloseAboutWindow(HWND owner);

} // namespace quarrow::app
