#include "RunningCommandAlert.hpp"

#include "dlgSave.hpp"

#include "ThreadWindows.hpp"

#include <cwchar>
#include <iterator>

namespace quarrow::app {

namespace {

// The window class of the system's dialog boxes, file dialogs and folder browser included.
constexpr wchar_t kSystemDialogClass[] = L"#32770";

bool OwnedBy(HWND window, HWND owner) {
    for (HWND up = GetWindow(window, GW_OWNER); up != nullptr; up = GetWindow(up, GW_OWNER)) {
        if (up == owner) {
            return true;
        }
    }
    return false;
}

// A secondary window that the user opened, such as the append-content window, is passed over: the
// running command neither reports in it nor waits on it.
bool ReportsOrAsks(HWND window) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, static_cast<int>(std::size(className)));
    return std::wcscmp(className, kSystemDialogClass) == 0 || std::wcscmp(className, dlgSave::kClassName) == 0;
}

} // namespace

void AlertRunningCommand(HWND mainWindow) {
    // In z-order, topmost first.
    HWND found = nullptr;
    win32::ForEachThreadWindow(GetCurrentThreadId(), [&](HWND window) {
        if (IsWindowVisible(window) && IsWindowEnabled(window) && ReportsOrAsks(window) &&
            OwnedBy(window, mainWindow)) {
            found = window;
            return false;
        }
        return true;
    });
    if (found) {
        SetForegroundWindow(found);
    }
    MessageBeep(MB_OK);
}

} // namespace quarrow::app
