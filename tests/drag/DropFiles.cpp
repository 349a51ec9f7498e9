// drop_files FOLDER: a small window titled "drop_files" that takes files dropped onto it through the
// system's drag and drop (CF_HDROP, as a file manager takes them) and copies each dropped file or
// folder, with everything below it, into FOLDER. The exit code says how it ended: 0 when a drop was
// copied, 1 when the copy failed, 2 when the window could not start.

#include "HelperWindow.hpp"

#include "FileDropTarget.hpp"

#include "OleSession.hpp"

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kCaption[] = L"drop_files";

// The program's own drop target takes the drop, as the program's window would; what it hands on is
// copied here, and the window closes.
struct Dropping {
    fs::path folder;
    std::unique_ptr<quarrow::app::FileDropTarget> target;
    bool copied = false;
};

void CopyDropped(HWND window, Dropping& dropping, const std::vector<std::wstring>& paths) {
    std::error_code error;
    for (const std::wstring& path : paths) {
        if (!error) {
            const fs::path dropped(path);
            fs::copy(dropped, dropping.folder / dropped.filename(), fs::copy_options::recursive, error);
        }
    }
    dropping.copied = !paths.empty() && !error;
    PostMessageW(window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dropping = reinterpret_cast<Dropping*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dropping && dropping->target && dropping->target->HandleMessage(message)) {
        return 0;
    }
    if (message == WM_DESTROY) {
        if (dropping) {
            dropping->target.reset();
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                  &LocalFree);
    if (!arguments || count != 2) {
        return 2;
    }
    const quarrow::win32::OleSession ole;
    if (!ole) {
        return 2;
    }
    // Beside the program's window, which opens at the screen's top left, and clear of drag_files's.
    const int left = GetSystemMetrics(SM_CXSCREEN) - 260;
    const HWND window =
        quarrow::testing::CreateHelperWindow(instance, kCaption, WindowProc, {left, 40, left + 200, 200}, nullptr);
    if (window == nullptr) {
        return 2;
    }
    Dropping dropping{arguments.get()[1], nullptr, false};
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&dropping));
    dropping.target = std::make_unique<quarrow::app::FileDropTarget>(
        window, [&](std::vector<std::wstring> paths) { CopyDropped(window, dropping, paths); });
    quarrow::testing::RunUntilQuit();
    return dropping.copied ? 0 : 1;
}
