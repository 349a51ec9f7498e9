#pragma once
// Lets the user pick a folder with the shell's folder browser and returns its file-system path.
// A property is a getter and a same-named setter.
//
// Errors leave as quarrow::win32::RaisedError with the source "<executable>.cBrowseForFolder":
// 26002 "Operation invalid unless dialog is displayed." for SetFolder, SetStatus and DialogWindow
// while no dialog shows, and the system's error code plus 0x80047148 for a path it cannot expand.

#include "Handles.hpp"
#include "mBrowseForFolder.hpp"

#include <windows.h>
#include <shlobj.h>

#include <exception>
#include <functional>
#include <string>

namespace quarrow::dialogs {

class cBrowseForFolder {
public:
    // Raised while the dialog shows, in this order of declaration.
    struct EventHandlers {
        std::function<void()> Initialized;
        // Setting bAllowOk to false disables OK for this selection; only the dialog enables it again.
        std::function<void(const std::wstring& sPath, bool& bAllowOk)> SelectionChanged;
        // sPath is "Path invalid: " and the typed text. Setting bKeepOpen keeps the dialog open.
        std::function<void(const std::wstring& sPath, bool& bKeepOpen)> ValidationFailed;
    };
    EventHandlers Events;

    cBrowseForFolder() = default;
    cBrowseForFolder(const cBrowseForFolder&) = delete;
    cBrowseForFolder& operator=(const cBrowseForFolder&) = delete;

    // The text above the tree.
    const std::wstring& Title() const { return title_; }
    void Title(std::wstring value) { title_ = std::move(value); }
    // The dialog's owner; also the owner when a special folder is looked up.
    HWND hwndOwner() const { return hwndOwner_; }
    void hwndOwner(HWND value) { hwndOwner_ = value; }
    // An edit box for typing a folder (0x10).
    bool EditBox() const { return editBox_; }
    void EditBox(bool value) { editBox_ = value; }
    // A status line (0x4), which shows the selection's path.
    bool StatusText() const { return statusText_; }
    void StatusText(bool value) { statusText_ = value; }
    // File-system folders only (0x1 and 0x8).
    bool FileSystemOnly() const { return fileSystemOnly_; }
    void FileSystemOnly(bool value) { fileSystemOnly_ = value; }
    // Report a typed name that is not a folder (0x20).
    bool ValidateEditBox() const { return validateEditBox_; }
    void ValidateEditBox(bool value) { validateEditBox_ = value; }
    // The new-style, resizable dialog (0x40).
    bool UseNewUI() const { return useNewUI_; }
    void UseNewUI(bool value) { useNewUI_ = value; }
    // The folder selected when the dialog opens; a browse replaces it by its full path.
    const std::wstring& InitialDir() const { return initialDir_; }
    void InitialDir(std::wstring value) { initialDir_ = std::move(value); }
    // The folder shown as the tree's root (the desktop when empty); a browse replaces it by its full path.
    const std::wstring& RootDir() const { return rootDir_; }
    void RootDir(std::wstring value) { rootDir_ = std::move(value); }
    // The display name of the folder chosen in the last browse; empty after a cancel.
    const std::wstring& DisplayName() const { return displayName_; }
    // The file-system path of the shell's special folder `eFolder` (a CSIDL number); empty when the
    // shell has no such folder or no path for it.
    std::wstring SpecialFolderLocation(int eFolder) const;

    // The browse flag word of the properties above.
    UINT BrowseFlags() const;

    // Shows the dialog; returns the chosen folder's path, or empty after a cancel. An exception
    // thrown by an event handler closes the dialog and leaves here once it has closed.
    std::wstring BrowseForFolder();

    // While the dialog shows: selects `sPath` in the tree and gives the dialog the keyboard focus.
    void SetFolder(std::wstring sPath);
    // While the dialog shows: sets the status line.
    void SetStatus(const std::wstring& sText);
    // The showing dialog's window; raises 26002 when none shows.
    HWND DialogWindow() const;
    // The showing dialog's window, or null.
    HWND DisplayedDialog() const noexcept { return showing_ ? dialog_ : nullptr; }

private:
    friend int CALLBACK mBrowseForFolder::BrowseCallbackProc(HWND, UINT, LPARAM, LPARAM);

    // For the callback.
    PCIDLIST_ABSOLUTE InitialItemList() const { return initialItemList_.Get(); }
    void DialogInitialized(HWND dialog);
    bool RaiseSelectionChanged(const std::wstring& path);
    bool RaiseValidationFailed(const std::wstring& text);
    void AbandonAfterHandlerError(HWND dialog, std::exception_ptr error);

    std::wstring title_ = L"Choose Folder";
    HWND hwndOwner_ = nullptr;
    bool editBox_ = false;
    bool statusText_ = false;
    bool fileSystemOnly_ = false;
    bool validateEditBox_ = false;
    bool useNewUI_ = false;
    std::wstring initialDir_;
    std::wstring rootDir_;
    std::wstring displayName_;

    bool showing_ = false;
    HWND dialog_ = nullptr;
    win32::UniqueItemList initialItemList_; // for the running browse
    std::exception_ptr handlerError_;
};

} // namespace quarrow::dialogs
