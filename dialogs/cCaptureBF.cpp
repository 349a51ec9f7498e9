#include "cCaptureBF.hpp"

#include <utility>

namespace quarrow::dialogs {

cCaptureBF::cCaptureBF() {
    browse_.Events.Initialized = [this] { Capture(); };
    browse_.Events.SelectionChanged = [this](const std::wstring& path, bool&) {
        if (client_) {
            client_->SelectionChanged(path);
        }
    };
}

void cCaptureBF::Show(ICaptureBF& iwp) {
    client_ = &iwp;
    try {
        // A reload only closes the dialog; the next one is shown here, so that dialogs never nest.
        do {
            reloading_ = false;
            browse_.BrowseForFolder();
        } while (reloading_ && client_);
    } catch (...) {
        client_ = nullptr;
        reloading_ = false;
        throw;
    }
    reloading_ = false;
    if (ICaptureBF* client = std::exchange(client_, nullptr)) {
        client->Unload();
    }
}

void cCaptureBF::Reload(std::wstring sSelPath) {
    browse_.InitialDir(std::move(sSelPath));
    if (browse_.DisplayedDialog()) {
        reloading_ = true;
        CloseShowingDialog();
    }
}

void cCaptureBF::Unload() {
    client_ = nullptr;
    CloseShowingDialog();
}

void cCaptureBF::CloseShowingDialog() {
    // Posted rather than sent: the request may come from inside the browser's own callback.
    if (const HWND dialog = browse_.DisplayedDialog()) {
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
}

void cCaptureBF::Capture() {
    if (!client_) {
        return;
    }
    const HWND host = client_->CapturehWnd();
    const HWND dialog = browse_.DialogWindow();
    RECT area{};
    GetClientRect(host, &area);

    // A child has neither caption nor sizing frame, and cannot be a pop-up as well.
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    SetWindowLongPtrW(dialog, GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME | WS_POPUP)) | WS_CHILD);
    const LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    SetWindowLongPtrW(dialog, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME));
    SetParent(dialog, host);
    SetWindowPos(dialog, nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_FRAMECHANGED);
    if (const HWND tree = FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr)) {
        MoveWindow(tree, 0, 0, area.right, area.bottom, TRUE);
    }
    // Tab and the dialog keys reach the browser's controls through the host.
    SetWindowLongPtrW(host, GWL_EXSTYLE, GetWindowLongPtrW(host, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    client_->CaptureBrowseForFolder(*this);
}

} // namespace quarrow::dialogs
