#pragma once
// The find window: a name pattern for the rows to select. Modal to the main window.

#include <windows.h>

#include <optional>
#include <string>

namespace quarrow::app {

inline constexpr wchar_t kFindWindowClass[] = L"Quarrow.dlgFind";

// The identifiers of the find window's controls: its buttons are the ones Enter and Esc press.
inline constexpr int kFindPatternId = 100;
inline constexpr int kFindButtonId = IDOK;
inline constexpr int kFindCancelId = IDCANCEL;

// Shows the find window, owned by and centred on `owner`, its text box holding `pattern` (the last one
// looked for), and returns the pattern once 查找 is pressed; nothing when it is cancelled or closed, or
// when the text box is left empty. Throws std::system_error when the system refuses to create it.
std::optional<std::wstring> AskFindPattern(HWND owner, const std::wstring& pattern);

} // namespace quarrow::app
