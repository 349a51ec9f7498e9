#include "SystemDialogProvider.hpp"

#include "cCommonDialog.hpp"

namespace quarrow::dialogs {

namespace {

void Configure(cCommonDialog& dialog, const FileDialogRequest& request) {
    dialog.hwnd(request.Owner);
    dialog.CancelError(false);
    dialog.DialogTitle(request.Title);
    dialog.flags(request.Flags);
    dialog.Filename(request.Filename);
    dialog.Filter(request.Filter);
    dialog.FilterIndex(request.FilterIndex);
}

} // namespace

std::wstring SystemDialogProvider::OpenFile(const FileDialogRequest& request) {
    cCommonDialog dialog;
    Configure(dialog, request);
    dialog.ShowOpen();
    return dialog.Filename();
}

FileSelection SystemDialogProvider::OpenFiles(const FileDialogRequest& request) {
    cCommonDialog dialog;
    Configure(dialog, request);
    dialog.ShowOpen();
    FileSelection selection;
    if (dialog.Filename().empty()) {
        return selection;
    }
    int count = 0;
    dialog.ParseMultiFileName(selection.Folder, selection.Names, count);
    return selection;
}

std::wstring SystemDialogProvider::SaveFile(const FileDialogRequest& request) {
    cCommonDialog dialog;
    Configure(dialog, request);
    dialog.ShowSave();
    return dialog.Filename();
}

std::wstring SystemDialogProvider::BrowseFolder(const FolderRequest& request) {
    folderBrowser_.Title(request.Title);
    folderBrowser_.hwndOwner(request.Owner);
    folderBrowser_.FileSystemOnly(request.FileSystemOnly);
    folderBrowser_.StatusText(request.StatusText);
    folderBrowser_.EditBox(request.EditBox);
    folderBrowser_.UseNewUI(request.UseNewUI);
    folderBrowser_.ValidateEditBox(request.ValidateEditBox);
    folderBrowser_.InitialDir(request.InitialDir);
    return folderBrowser_.BrowseForFolder();
}

int SystemDialogProvider::ShowMessage(const MessageRequest& request) {
    return MessageBoxW(request.Owner, request.Text.c_str(), request.Title.c_str(), request.Style);
}

} // namespace quarrow::dialogs
