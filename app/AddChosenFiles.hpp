#pragma once
// Add file, as the main window and the append-content window both do it: the files chosen in one
// add-file dialog go into a list one at a time, in the dialog's order, and the list shows each as it
// comes. A file that cannot be read is left out, and all such files are named afterwards in one
// message.

#include "DialogProvider.hpp"
#include "ListView.hpp"

#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace quarrow::app {

// Adds one file to the list's rows; the reason when the file cannot be read.
using FileAdder = std::function<std::error_code(const std::wstring& path)>;

// Adds each of `paths` through `add`, refreshing `list` and letting the windows repaint after each;
// then reports the files that could not be added in a message owned by `owner`.
void AddChosenFiles(const std::vector<std::wstring>& paths, const FileAdder& add, components::ListView& list,
                    dialogs::DialogProvider& dialogs, HWND owner);

} // namespace quarrow::app
