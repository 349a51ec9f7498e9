// The program's entry point: prepares the common controls, opens the main window and runs the message
// loop until the main window has closed.

#include "UserMessages.hpp"
#include "frmMain.hpp"

#include "OleSession.hpp"
#include "SystemDialogProvider.hpp"

#include <windows.h>
#include <commctrl.h>

#include <shellapi.h>

#include <exception>
#include <memory>
#include <string>

namespace {

void InitialiseCommonControls() {
    // Failure changes nothing: the windows still come up, with the controls the system has ready.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
}

int RunMessageLoop(quarrow::app::frmMain& window) {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return 1;
        }
        if (window.TranslateFindKeys(msg) || window.TranslateDialogKeys(msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// The archive named on the command line ("Open with", a file association); empty when there is none.
std::wstring ArchiveOnCommandLine() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                  &LocalFree);
    return arguments && count > 1 ? std::wstring(arguments.get()[1]) : std::wstring();
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitialiseCommonControls();
    const quarrow::win32::OleSession ole; // for files dragged onto the window
    try {
        // The provider keeps the one folder browser the window uses for its whole life.
        quarrow::dialogs::SystemDialogProvider dialogs;
        quarrow::app::frmMain window(dialogs);
        window.Unloaded = [] { PostQuitMessage(0); };
        window.Show();
        if (const std::wstring archive = ArchiveOnCommandLine(); !archive.empty()) {
            window.OpenArchiveFile(archive);
        }
        return RunMessageLoop(window);
    } catch (...) {
        const quarrow::dialogs::MessageRequest failed = quarrow::app::StartFailed(std::current_exception());
        MessageBoxW(nullptr, failed.Text.c_str(), failed.Title.c_str(), failed.Style);
        return 1;
    }
}
