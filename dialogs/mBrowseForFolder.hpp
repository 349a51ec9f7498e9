#pragma once
// The folder browser's callback procedure and the shell routines it shares with cBrowseForFolder:
// paths to item lists and back.

#include "Handles.hpp"

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace quarrow::dialogs::mBrowseForFolder {

// The browser's callback. `data` is the cBrowseForFolder running the browse (not owned); with 0 only
// the dialog-side actions happen: preselection, the status line, disabling OK.
int CALLBACK BrowseCallbackProc(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);

// The file-system path of an item list; empty for none or for a folder outside the file system.
std::wstring PathFromItemList(PCIDLIST_ABSOLUTE itemList);

// The full form of `path` against the current directory. A path the system cannot expand raises its
// error code plus 0x80047148 with the system's message, from "<executable>.cBrowseForFolder".
std::wstring FullPathName(const std::wstring& path);

// Replaces `path` by its full form (see FullPathName) and returns its item list from the desktop
// folder; no list when the shell cannot parse it.
win32::UniqueItemList ItemListFromPath(std::wstring& path);

} // namespace quarrow::dialogs::mBrowseForFolder
