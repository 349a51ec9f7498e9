#include "mDialogHook.hpp"

#include "GCommonDialog.hpp"

namespace quarrow::dialogs::mDialogHook {

namespace {
// Non-owning: the companion lives for the whole modal call that set it.
GCommonDialog* showingDialog = nullptr;
} // namespace

UINT_PTR CALLBACK DialogHookProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    GCommonDialog* dialog = showingDialog;
    return dialog ? dialog->DialogHook(hDlg, msg, wParam, lParam) : 0;
}

ShowingDialog::ShowingDialog(GCommonDialog& dialog) : previous_(showingDialog) { showingDialog = &dialog; }

ShowingDialog::~ShowingDialog() { showingDialog = previous_; }

GCommonDialog* Showing() { return showingDialog; }

} // namespace quarrow::dialogs::mDialogHook
