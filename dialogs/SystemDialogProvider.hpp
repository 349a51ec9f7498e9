#pragma once
// The dialog provider of the running program: the system's file dialogs through cCommonDialog (a
// fresh one per request, with CancelError off so that a cancel is an empty result), the folder
// browser through the one cBrowseForFolder that this provider keeps for its lifetime, and
// MessageBoxW.

#include "DialogProvider.hpp"
#include "cBrowseForFolder.hpp"

namespace quarrow::dialogs {

class SystemDialogProvider final : public DialogProvider {
public:
    std::wstring OpenFile(const FileDialogRequest& request) override;
    FileSelection OpenFiles(const FileDialogRequest& request) override;
    std::wstring SaveFile(const FileDialogRequest& request) override;
    std::wstring BrowseFolder(const FolderRequest& request) override;
    int ShowMessage(const MessageRequest& request) override;

private:
    cBrowseForFolder folderBrowser_;
};

} // namespace quarrow::dialogs
