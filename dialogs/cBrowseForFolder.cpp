#include "cBrowseForFolder.hpp"

#include "ComApartment.hpp"
#include "DialogErrors.hpp"
#include "FileDialogText.hpp"
#include "RaisedError.hpp"

#include <utility>

namespace quarrow::dialogs {

UINT cBrowseForFolder::BrowseFlags() const {
    UINT flags = 0;
    if (fileSystemOnly_) {
        flags |= BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;
    }
    if (statusText_) {
        flags |= BIF_STATUSTEXT;
    }
    if (editBox_) {
        flags |= BIF_EDITBOX;
    }
    if (validateEditBox_) {
        flags |= BIF_VALIDATE;
    }
    if (useNewUI_) {
        flags |= BIF_NEWDIALOGSTYLE;
    }
    return flags;
}

std::wstring cBrowseForFolder::BrowseForFolder() {
    const ComApartment apartment;
    win32::UniqueItemList root;
    if (!rootDir_.empty()) {
        root = mBrowseForFolder::ItemListFromPath(rootDir_);
    }
    initialItemList_.Reset();
    if (!initialDir_.empty()) {
        initialItemList_ = mBrowseForFolder::ItemListFromPath(initialDir_);
    }

    std::wstring displayName(MAX_PATH, L'\0');
    BROWSEINFOW info{};
    info.hwndOwner = hwndOwner_;
    info.pidlRoot = root.Get();
    info.pszDisplayName = displayName.data();
    info.lpszTitle = title_.c_str();
    info.ulFlags = BrowseFlags();
    info.lpfn = &mBrowseForFolder::BrowseCallbackProc;
    info.lParam = reinterpret_cast<LPARAM>(this);

    showing_ = true;
    const win32::UniqueItemList chosen(SHBrowseForFolderW(&info));
    showing_ = false;
    dialog_ = nullptr;
    initialItemList_.Reset();

    displayName_ = TextUpToNul(displayName);
    std::wstring path = mBrowseForFolder::PathFromItemList(chosen.Get());
    if (handlerError_) {
        std::rethrow_exception(std::exchange(handlerError_, nullptr));
    }
    return path;
}

HWND cBrowseForFolder::DialogWindow() const {
    const HWND dialog = DisplayedDialog();
    if (!dialog) {
        throw win32::RaisedError(kDialogNotDisplayed, win32::ErrorSource(kBrowseForFolderSuffix),
                                 kDialogNotDisplayedText);
    }
    return dialog;
}

void cBrowseForFolder::SetFolder(std::wstring sPath) {
    const HWND dialog = DialogWindow();
    const win32::UniqueItemList folder = mBrowseForFolder::ItemListFromPath(sPath);
    if (folder) {
        SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(folder.Get()));
    }
    SetFocus(dialog);
}

void cBrowseForFolder::SetStatus(const std::wstring& sText) {
    SendMessageW(DialogWindow(), BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(sText.c_str()));
}

std::wstring cBrowseForFolder::SpecialFolderLocation(int eFolder) const {
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(hwndOwner_, eFolder, &list))) {
        return {};
    }
    const win32::UniqueItemList folder(list);
    return mBrowseForFolder::PathFromItemList(folder.Get());
}

void cBrowseForFolder::DialogInitialized(HWND dialog) {
    dialog_ = dialog;
    if (Events.Initialized && !handlerError_) {
        Events.Initialized();
    }
}

bool cBrowseForFolder::RaiseSelectionChanged(const std::wstring& path) {
    bool bAllowOk = true;
    if (Events.SelectionChanged && !handlerError_) {
        Events.SelectionChanged(path, bAllowOk);
    }
    return bAllowOk;
}

bool cBrowseForFolder::RaiseValidationFailed(const std::wstring& text) {
    bool bKeepOpen = false;
    if (Events.ValidationFailed && !handlerError_) {
        Events.ValidationFailed(text, bKeepOpen);
    }
    return bKeepOpen;
}

// An exception must not unwind through the shell: the dialog is closed as cancelled, no further
// events are raised, and BrowseForFolder rethrows once the dialog has closed.
void cBrowseForFolder::AbandonAfterHandlerError(HWND dialog, std::exception_ptr error) {
    if (!handlerError_) {
        handlerError_ = std::move(error);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

} // namespace quarrow::dialogs
