#include "ArchiveDialogs.hpp"

#include "ArchiveName.hpp"

namespace quarrow::app {

namespace {

// The file dialog's flag bits.
constexpr DWORD kOverwritePrompt = 0x2;
constexpr DWORD kMultipleSelection = 0x200;
constexpr DWORD kPathMustExist = 0x800;
constexpr DWORD kFileMustExist = 0x1000;

} // namespace

dialogs::FileDialogRequest OpenArchiveRequest(HWND owner) {
    dialogs::FileDialogRequest request;
    request.Owner = owner;
    request.Title = L"打开PAK文件...";
    request.Flags = kFileMustExist | kPathMustExist; // 6144
    request.Filename = L"*.PAK";
    request.Filter = kPakFilter;
    request.FilterIndex = 1;
    return request;
}

dialogs::FileDialogRequest PackTargetRequest(HWND owner) {
    dialogs::FileDialogRequest request;
    request.Owner = owner;
    request.Title = L"打包PAK文件...";
    request.Flags = kFileMustExist | kPathMustExist | kOverwritePrompt; // 6146
    request.Filename = L"New.PAK";
    request.Filter = kPakFilter;
    request.FilterIndex = 1;
    return request;
}

dialogs::FileDialogRequest AddFilesRequest(HWND owner) {
    dialogs::FileDialogRequest request;
    request.Owner = owner;
    request.Title = L"增加档案...";
    request.Flags = kFileMustExist | kPathMustExist | kMultipleSelection; // 6656
    request.Filter = L"所有类型档案(*.*)|*.*";
    request.FilterIndex = 1;
    return request;
}

dialogs::FolderRequest BrowseFolderRequest(HWND owner) {
    dialogs::FolderRequest request;
    request.Owner = owner;
    request.Title = L"Please select a folder:";
    request.FileSystemOnly = true;
    request.StatusText = true;
    request.EditBox = true;
    request.UseNewUI = true;
    return request;
}

std::wstring AskArchiveToOpen(dialogs::DialogProvider& dialogs, HWND owner) {
    return WithPakExtension(dialogs.OpenFile(OpenArchiveRequest(owner)));
}

std::wstring AskPackTarget(dialogs::DialogProvider& dialogs, HWND owner) {
    return WithPakExtension(dialogs.SaveFile(PackTargetRequest(owner)));
}

std::vector<std::wstring> AskFilesToAdd(dialogs::DialogProvider& dialogs, HWND owner) {
    return dialogs.OpenFiles(AddFilesRequest(owner)).Paths();
}

} // namespace quarrow::app
