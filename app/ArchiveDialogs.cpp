#include "ArchiveDialogs.hpp"

#include "ArchiveName.hpp"

#include <commdlg.h>

namespace quarrow::app {

namespace {

dialogs::FileDialogRequest Request(HWND owner, const wchar_t* title, DWORD flags, const wchar_t* filename,
                                   const wchar_t* filter) {
    dialogs::FileDialogRequest request;
    request.Owner = owner;
    request.Title = title;
    request.Flags = flags;
    request.Filename = filename;
    request.Filter = filter;
    request.FilterIndex = 1;
    return request;
}

dialogs::FileDialogRequest OpenArchiveRequest(HWND owner) {
    return Request(owner, L"打开PAK文件...", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, L"*.PAK", kPakFilter); // 6144
}

dialogs::FileDialogRequest PackTargetRequest(HWND owner, const std::wstring& offeredName) {
    return Request(owner, L"打包PAK文件...", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                   offeredName.c_str(), kPakFilter); // 6146
}

dialogs::FileDialogRequest AddFilesRequest(HWND owner) {
    return Request(owner, L"增加档案...", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT, L"",
                   L"所有类型档案(*.*)|*.*"); // 6656
}

} // namespace

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

std::wstring AskPackTarget(dialogs::DialogProvider& dialogs, HWND owner, const std::wstring& offeredName) {
    return WithPakExtension(dialogs.SaveFile(PackTargetRequest(owner, offeredName)));
}

std::wstring AskReplacementFile(dialogs::DialogProvider& dialogs, HWND owner) {
    return dialogs.OpenFile(
        Request(owner, L"替换档案内容...", OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST, L"", L"所有类型档案(*.*)|*.*"));
}

std::vector<std::wstring> AskFilesToAdd(dialogs::DialogProvider& dialogs, HWND owner) {
    return dialogs.OpenFiles(AddFilesRequest(owner)).Paths();
}

} // namespace quarrow::app
