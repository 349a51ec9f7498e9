#pragma once
// What a drag of entries out of the list offers: copies of the entries on the disk, as file managers
// offer files (CF_HDROP), to be copied rather than moved, since the copies are the program's own and go
// with it. The drag also carries a mark of the process that started it, so that the program's own window
// can tell the drag apart from one that brings files in.

#include "ComPtr.hpp"

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace quarrow::app {

// A data object over `paths` (files or folders, full paths), holding one reference for the caller.
// Throws std::bad_alloc when the system has no memory for the list.
win32::ComPtr<IDataObject> NewEntryDataObject(const std::vector<std::wstring>& paths);

// True when `data` comes from a drag that this process started.
bool IsOwnDrag(IDataObject* data);

} // namespace quarrow::app
