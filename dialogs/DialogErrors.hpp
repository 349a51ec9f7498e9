#pragma once
// The error numbers and texts of the dialog classes. Each class raises RaisedError with its own
// source: the executable's name followed by the class's suffix.

#include "SystemErrorText.hpp"

#include <cstdint>
#include <string>

namespace quarrow::dialogs {

inline constexpr wchar_t kCommonDialogSuffix[] = L".cCommonDialog";
inline constexpr wchar_t kBrowseForFolderSuffix[] = L".cBrowseForFolder";

// A cancelled dialog, raised only when the caller set CancelError.
inline constexpr std::int32_t kUserCancelled = 20001;
inline constexpr wchar_t kUserCancelledText[] = L"User selected cancel.";

// A dialog the system could not show: this number OR the system's extended error code.
inline constexpr std::int32_t kDialogFailureBits = 13450; // 0x348A

// ShowHelp with a command that needs a data block of its own.
inline constexpr std::int32_t kInvalidHelpCommand = 13705;
inline constexpr wchar_t kInvalidHelpCommandText[] = L"Invalid WinHelp Command Passed to ShowHelp function.";

// A folder-browser operation that needs the dialog while none shows.
inline constexpr std::int32_t kDialogNotDisplayed = 26002;
inline constexpr wchar_t kDialogNotDisplayedText[] = L"Operation invalid unless dialog is displayed.";

// The system's text for an error code as these classes raise it: at most 256 characters.
inline std::wstring RaisedSystemText(std::uint32_t code) { return SystemErrorText(code).substr(0, 256); }

// A path the system could not expand: this number plus the system's error code.
inline constexpr std::uint32_t kFullPathFailureBase = 0x80047148u; // 0x80040000 + 29000

} // namespace quarrow::dialogs
