#pragma once
// The seam through which the program's windows ask the user for paths and answers. The program uses
// SystemDialogProvider (the real dialogs); tests answer from a script of their own, so that every
// command runs in-process without anybody clicking.

#include <windows.h>

#include <string>
#include <vector>

namespace quarrow::dialogs {

// An open or save dialog, configured as cCommonDialog's properties are.
struct FileDialogRequest {
    HWND Owner = nullptr;
    std::wstring Title;
    // The dialog class's flag bits: 0x1000 the file must exist, 0x200 several files, 0x2 ask before
    // overwriting, 0x4 hide the read-only box.
    DWORD Flags = 0;
    std::wstring Filter; // "description|pattern|description|pattern"
    int FilterIndex = 1;
    std::wstring Filename; // what the name box starts with
};

// The folder browser, configured as cBrowseForFolder's properties are.
struct FolderRequest {
    HWND Owner = nullptr;
    std::wstring Title;
    bool FileSystemOnly = false;
    bool StatusText = false;
    bool EditBox = false;
    bool UseNewUI = false;
    bool ValidateEditBox = false;
    std::wstring InitialDir; // preselected when not empty
};

// A message box, as MessageBoxW takes it.
struct MessageRequest {
    HWND Owner = nullptr;
    std::wstring Text;
    std::wstring Title;
    UINT Style = MB_OK; // buttons and icon: MB_YESNOCANCEL | MB_ICONQUESTION, MB_OK | MB_ICONSTOP, ...
};

// Files chosen in one open dialog.
struct FileSelection {
    std::wstring Folder;             // empty when the names are full paths
    std::vector<std::wstring> Names; // none after a cancel

    // Each name joined to the folder with one "\" (a drive root such as "C:\" brings its own).
    std::vector<std::wstring> Paths() const;
};

class DialogProvider {
public:
    virtual ~DialogProvider() = default;

    // The chosen file (a request without multiple selection); empty when the user cancelled.
    virtual std::wstring OpenFile(const FileDialogRequest& request) = 0;
    // The chosen files; none when the user cancelled.
    virtual FileSelection OpenFiles(const FileDialogRequest& request) = 0;
    // The file to write; empty when the user cancelled.
    virtual std::wstring SaveFile(const FileDialogRequest& request) = 0;
    // The chosen folder; empty when the user cancelled.
    virtual std::wstring BrowseFolder(const FolderRequest& request) = 0;
    // The button the user pressed: IDOK, IDCANCEL, IDYES, IDNO, ...
    virtual int ShowMessage(const MessageRequest& request) = 0;
};

} // namespace quarrow::dialogs
