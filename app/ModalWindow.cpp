#include "ModalWindow.hpp"

namespace quarrow::app {

ModalWindow::~ModalWindow() { EnableOwner(); }

void ModalWindow::RunModal() {
    const HWND window = Handle();
    if (!window) {
        return;
    }
    const HWND owner = GetWindow(window, GW_OWNER);
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner_ = owner;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (Handle()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            Close();
            break;
        }
        if (got == -1) {
            Close();
            break;
        }
        if (TranslateKeys(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EnableOwner();
}

void ModalWindow::Close() {
    // Enabled before the window goes, the owner is the window the system activates in its place.
    EnableOwner();
    DestroyHandle();
}

void ModalWindow::EnableOwner() {
    if (disabledOwner_) {
        EnableWindow(disabledOwner_, TRUE);
        disabledOwner_ = nullptr;
    }
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: Close(); return 0;
    case WM_DESTROY: EnableOwner(); return 0;
    default: return SecondaryWindow::HandleMessage(message, wParam, lParam);
    }
}

} // namespace quarrow::app
