#pragma once
// Splitting what an open dialog with multiple selection returns: either one full path, or a folder
// followed by names, each ended by a NUL, with a second NUL after the last.

#include <string>
#include <string_view>
#include <vector>

namespace quarrow::dialogs {

// Splits `filename` into a folder `sDir` and names appended to `sFiles`, counting them in
// `iFileCount`. The file list of the dialog class counts from 1: its element n is sFiles[n - 1] here,
// and sFiles is resized to iFileCount as names are added.
// - A plain path (no double NUL): iFileCount becomes 1, sFiles holds one element; sDir is the text
//   before the last "\" and sFiles[0] the text after it, or sDir is empty and sFiles[0] the whole path
//   when there is no "\" past the first character.
// - A list: the first piece becomes sDir when sDir is empty (else it is counted as a name), every
//   later piece is appended as a name. So a single file picked in a multiple-selection dialog leaves
//   sDir empty and gives its full path as the only name. The folder comes back exactly as the system
//   gave it: a drive root keeps its trailing "\".
void ParseMultiFileName(std::wstring_view filename, std::wstring& sDir, std::vector<std::wstring>& sFiles,
                        int& iFileCount);

} // namespace quarrow::dialogs
