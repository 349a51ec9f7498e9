#include "frmMain.hpp"

#include "ArchiveDialogs.hpp"
#include "RunningCommandAlert.hpp"
#include "UserMessages.hpp"
#include "dlgAbout.hpp"
#include "dlgAddContent.hpp"
#include "dlgHelp.hpp"
#include "WordedProgress.hpp"
#include "dlgSave.hpp"

#include "Text.hpp"

namespace quarrow::app {

frmMain::frmMain(dialogs::DialogProvider& dialogs, ProgressWindowFactory progressWindows)
    : dialogs_(dialogs), progressWindows_(progressWindows ? std::move(progressWindows) : dlgSave::Factory()) {
    // A close asked for while a command runs waits for the command to end.
    busy_.Idle = [this] {
        if (closeWhenIdle_ && Handle()) {
            closeWhenIdle_ = false;
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
        }
    };
    LoadWindow();
}

frmMain::~frmMain() {
    busy_.Idle = nullptr;
    DestroyHandle();
}

void frmMain::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
    lstFile_->SetFocus();
}

std::unique_ptr<Progress> frmMain::NewProgressWindow(HWND owner) const {
    return std::make_unique<WordedProgress>(progressWindows_(owner));
}

void frmMain::Click(ToolbarButton button) {
    // A disabled button raises no click.
    if (Button(button).State() != kDisabled) {
        RunGuarded([&] { RunCommand(button); });
    }
}

void frmMain::RunGuarded(const std::function<void()>& command) {
    const auto running = busy_.TryEnter();
    if (!running) {
        AlertRunningCommand(Handle());
        return;
    }
    // The command arrives through a control's own window, or before the message loop runs, where
    // nothing would tell the user what escaped.
    try {
        command();
    } catch (...) {
        OnUnhandledException(std::current_exception());
    }
}

dlgAddContent* frmMain::AddContentWindow() const {
    return addContent_ && addContent_->Handle() ? addContent_.get() : nullptr;
}

bool frmMain::TranslateDialogKeys(MSG& msg) const {
    const dlgAddContent* shown = AddContentWindow();
    return shown && IsDialogMessageW(shown->Handle(), &msg);
}

bool frmMain::TranslateFindKeys(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) {
        return false;
    }
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool findNext = msg.wParam == VK_F3;
    if (!findNext && !(msg.wParam == 'F' && control)) {
        return false;
    }
    if (workspace_.Count() > 0) {
        RunGuarded([&] { findNext ? FindNext() : FindRows(); });
    }
    return true;
}

controls::ZID_Button& frmMain::Button(ToolbarButton button) { return *buttons_[static_cast<std::size_t>(button)]; }

const controls::ZID_Button& frmMain::Button(ToolbarButton button) const {
    return *buttons_[static_cast<std::size_t>(button)];
}

void frmMain::ApplyEnableRule(Outcome outcome) {
    const ButtonStates row = EnableRule(outcome, workspace_.Count() == 0);
    const std::pair<SwitchedButton, ToolbarButton> switched[] = {
        {SwitchedButton::Pack, ToolbarButton::Save},
        {SwitchedButton::Extract, ToolbarButton::Extract},
        {SwitchedButton::AddFile, ToolbarButton::AddFile},
        {SwitchedButton::AddFolder, ToolbarButton::AddFolder},
        {SwitchedButton::AddContent, ToolbarButton::AddContent},
        {SwitchedButton::Delete, ToolbarButton::Del},
    };
    for (const auto& [rule, button] : switched) {
        if (const auto state = row[rule]; state && Button(button).State() != *state) {
            Button(button).SetState(*state);
        }
    }
}

void frmMain::SetStatusText(int panel, std::wstring_view text) { statusBar_.SetPanelText(panel, std::wstring(text)); }

std::wstring frmMain::StatusText(int panel) const { return statusBar_.PanelText(panel); }

std::wstring frmMain::BrowseFolder() { return dialogs_.BrowseFolder(BrowseFolderRequest(Handle())); }

void frmMain::UpdateCaption() {
    std::wstring caption = captionBase_;
    if (!workspace_.ArchivePath().empty()) {
        caption += L" - " + WideFromPath(workspace_.ArchivePath().filename());
        if (edited_) {
            caption += L" *";
        }
    }
    SetWindowTextW(Handle(), caption.c_str());
}

void frmMain::SetEdited(bool edited) {
    edited_ = edited;
    UpdateCaption();
}

std::wstring frmMain::txtPAKName() const { return WideFromPath(workspace_.ArchivePath()); }

LRESULT frmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (dropTarget_ && dropTarget_->HandleMessage(message)) {
        return 0;
    }
    switch (message) {
    case WM_SETFOCUS:
        if (lstFile_) {
            lstFile_->SetFocus();
        }
        return 0;
    case WM_CLOSE: {
        // Closing under a running command would pull the window from under it.
        if (busy_.Busy()) {
            closeWhenIdle_ = true;
            return 0;
        }
        bool close = false;
        RunGuarded([&] { close = MayLeaveChangedCopies() && MayDiscardEdits(); });
        if (close) {
            DestroyWindow(Handle());
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        if (lstFile_ && reinterpret_cast<HWND>(wParam) == lstFile_->Handle()) {
            ShowListMenu(lParam);
            return 0;
        }
        break;
    // Back from another program, where an opened copy may have been saved. Asked once the activation
    // is over, not in the middle of it.
    case WM_ACTIVATEAPP:
        if (wParam) {
            PostCopiesCheck();
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            PostCopiesCheck();
        }
        break;
    case kCopiesCheckMessage: TakeBackChangedCopies(); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_DESTROY: Unload(); return 0;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

void frmMain::Unload() {
    dropTarget_.reset(); // while the window still stands
    CloseAboutWindow(Handle());
    CloseHelpWindow(Handle());
    if (addContent_) {
        addContent_->DestroyHandle();
    }
    // The progress window lives only while its command runs, and a close waits for the command.
    if (Unloaded) {
        Unloaded();
    }
}

void frmMain::OnUnhandledException(std::exception_ptr error) {
    try {
        dialogs_.ShowMessage(UnexpectedError(Handle(), error));
    } catch (...) {
        win32::Window::OnUnhandledException(error);
    }
}

} // namespace quarrow::app
