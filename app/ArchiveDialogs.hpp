#pragma once
// The questions the windows ask through the dialog provider: which archive to open, where to pack,
// which files to add, which folder to use. Each request carries the titles, flags and filters the
// user knows; the archive names come back with ".PAK" added where the user typed none.

#include "DialogProvider.hpp"

#include <string>
#include <vector>

namespace quarrow::app {

inline constexpr wchar_t kPakFilter[] = L"三国群英传II PAK档案(*.PAK)|*.PAK";
// The name the save dialog offers for a list that is not an opened archive.
inline constexpr wchar_t kNewPakName[] = L"New.PAK";

// The folder browser as Extract and Add folder show it.
dialogs::FolderRequest BrowseFolderRequest(HWND owner);

// The archive to open; empty when the user cancelled.
std::wstring AskArchiveToOpen(dialogs::DialogProvider& dialogs, HWND owner);
// The archive to write, the dialog offering `offeredName`; empty when the user cancelled.
std::wstring AskPackTarget(dialogs::DialogProvider& dialogs, HWND owner, const std::wstring& offeredName = kNewPakName);
// The file whose bytes become an entry's new data; empty when the user cancelled.
std::wstring AskReplacementFile(dialogs::DialogProvider& dialogs, HWND owner);
// The files chosen to add in the add-file dialog of the main window and of the append-content window
// (several files, each must exist), each as a full path, in the dialog's order; none when the user
// cancelled.
std::vector<std::wstring> AskFilesToAdd(dialogs::DialogProvider& dialogs, HWND owner);

} // namespace quarrow::app
