#pragma once
// Copies of entries dragged out of the program onto a file manager or a folder, through the system's
// drag and drop. The copies are made before the drag starts, in a folder of the program's own, and stay
// there until the program ends: a target may go on copying them after the drag has returned.

#include <windows.h>
#include <ole2.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quarrow::app {

// What a drag of the copies in `folder` offers: its files and its first-level folders, so that the
// folder levels of stored names come out below the place of the drop. In the folder's own order.
std::vector<std::wstring> TopLevelItems(const std::filesystem::path& folder);

// True while the button that starts a drag from a list is still held: a drag whose copies took so long
// that the button was let go meanwhile has nowhere to go.
bool DragButtonHeld();

// Runs the system's drag of `data`, to be copied, until the button is let go (a drop) or Esc is pressed
// (a cancel). The effect a target took: DROPEFFECT_NONE when none took the data or no drag could start.
DWORD DragOutCopies(IDataObject* data);

} // namespace quarrow::app
