#pragma once
// The hook procedure of the common dialogs and the one pointer through which it finds the companion
// whose hooked dialog is showing. The system calls the hook without a context word of ours, so the
// pointer is set just before the modal call and cleared when it returns.

#include <windows.h>

namespace quarrow::dialogs {

class GCommonDialog;

namespace mDialogHook {

// The hook of every common dialog this library shows (open, save, colour, font, print): forwards to
// the showing companion's DialogHook, or returns 0 when none is showing.
UINT_PTR CALLBACK DialogHookProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Points the hook at `dialog` while the scope lives. A dialog shown from inside another's event
// points the hook at itself and gives it back to the outer one when it closes.
class ShowingDialog {
public:
    explicit ShowingDialog(GCommonDialog& dialog);
    ~ShowingDialog();
    ShowingDialog(const ShowingDialog&) = delete;
    ShowingDialog& operator=(const ShowingDialog&) = delete;

private:
    GCommonDialog* previous_;
};

// The companion the hook forwards to; null while no hooked dialog shows.
GCommonDialog* Showing();

} // namespace mDialogHook
} // namespace quarrow::dialogs
