// Rows dragged out of the entry list onto a file manager or a folder: the entries are copied out of the
// archive as Extract copies them, then offered to the drop.

#include "frmMain.hpp"

#include "DragOut.hpp"
#include "EntryDataObject.hpp"

namespace quarrow::app {

win32::ComPtr<IDataObject> frmMain::SelectionForDragOut() {
    const std::vector<std::size_t> rows = SelectedArchiveRows();
    if (rows.empty()) {
        return nullptr;
    }
    const std::filesystem::path folder = scratch_.NewFolder();
    if (!ExtractRowsInto(rows, folder)) {
        scratch_.Remove(folder);
        return nullptr;
    }
    return NewEntryDataObject(TopLevelItems(folder));
}

void frmMain::lstFile_BeginDrag() {
    // A drag is no click: under a running command it quietly starts nothing, as the menu does.
    if (busy_.Busy()) {
        return;
    }
    // The flag stays up through the drag as well, so that a close asked for meanwhile waits until the
    // system's drag has returned rather than pulling the list from under it.
    RunGuarded([&] {
        const auto data = SelectionForDragOut();
        if (data && DragButtonHeld()) {
            DragOutCopies(data.get());
        }
    });
}

} // namespace quarrow::app
