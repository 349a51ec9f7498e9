#include "AddChosenFiles.hpp"

#include "UserMessages.hpp"

#include "MessagePump.hpp"

namespace quarrow::app {

void AddChosenFiles(const std::vector<std::wstring>& paths, const FileAdder& add, components::ListView& list,
                    dialogs::DialogProvider& dialogs, HWND owner) {
    std::vector<UnreadableFile> unreadable;
    for (const std::wstring& path : paths) {
        if (const std::error_code error = add(path)) {
            unreadable.push_back({path, error});
        }
        list.Refresh();
        win32::PumpPendingMessages();
    }
    if (!unreadable.empty()) {
        dialogs.ShowMessage(FilesNotAdded(owner, unreadable));
    }
}

} // namespace quarrow::app
