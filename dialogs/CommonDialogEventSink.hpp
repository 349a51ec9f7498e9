#pragma once
// The entry points that a hooked common dialog reaches while it shows. cCommonDialog implements them
// and raises its events from them; the companion holds the sink only while a hooked dialog is up.

#include <windows.h>

namespace quarrow::dialogs {

class CommonDialogEventSink {
public:
    // The dialog (for the file dialogs: the hook's child of it) has been initialised.
    virtual void InitDialog(HWND hDlg) = 0;
    // The selection in a file dialog changed.
    virtual void FileChange(HWND hDlg) = 0;
    // A file dialog opened another folder.
    virtual void FolderChange(HWND hDlg) = 0;
    // OK was pressed in a file dialog. False keeps the dialog open.
    virtual bool ConfirmOK() = 0;
    // Another file type was chosen in a file dialog.
    virtual void TypeChange(HWND hDlg) = 0;
    // The dialog is being destroyed.
    virtual void DialogClose() = 0;
    // A command reached the hooked dialog.
    virtual void WMCommand(HWND hDlg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~CommonDialogEventSink() = default;
};

} // namespace quarrow::dialogs
