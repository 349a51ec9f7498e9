// The program's entry point: prepares the common controls, opens the main window and runs the message
// loop until the main window has closed.

#include "UserMessages.hpp"
#include "frmMain.hpp"

#include "SystemDialogProvider.hpp"

#include <windows.h>
#include <commctrl.h>

#include <exception>

namespace {

void InitialiseCommonControls() {
    // Failure changes nothing: the windows still come up, with the controls the system has ready.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
}

int RunMessageLoop(const quarrow::app::frmMain& window) {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return 1;
        }
        if (window.TranslateDialogKeys(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitialiseCommonControls();
    try {
        // The provider keeps the one folder browser the window uses for its whole life.
        quarrow::dialogs::SystemDialogProvider dialogs;
        quarrow::app::frmMain window(dialogs);
        window.Unloaded = [] { PostQuitMessage(0); };
        window.Show();
        return RunMessageLoop(window);
    } catch (...) {
        const quarrow::dialogs::MessageRequest failed = quarrow::app::StartFailed(std::current_exception());
        MessageBoxW(nullptr, failed.Text.c_str(), failed.Title.c_str(), failed.Style);
        return 1;
    }
}
