// drag_files PATH...: a small window titled "drag_files"; a left-button press in it starts an OLE drag
// of the given files (CF_HDROP, as a file manager offers them), which ends where the button is
// released. The files are offered as the program offers rows dragged out of its list, so the program's
// window can take them only because this is another process. The exit code says how it ended: 0 when
// a target took the files, 1 when none did or the drag was cancelled, 2 when the window could not start.

#include "HelperWindow.hpp"

#include "DragOut.hpp"
#include "EntryDataObject.hpp"

#include "OleSession.hpp"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kCaption[] = L"drag_files";

struct DragRequest {
    std::vector<std::wstring> paths;
    int exitCode = 1;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* request = reinterpret_cast<DragRequest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_LBUTTONDOWN: {
        try {
            const auto files = quarrow::app::NewEntryDataObject(request->paths);
            request->exitCode = (quarrow::app::DragOutCopies(files.get()) & DROPEFFECT_COPY) != 0 ? 0 : 1;
        } catch (const std::bad_alloc&) {
            request->exitCode = 1;
        }
        DestroyWindow(window);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                  &LocalFree);
    if (!arguments || count < 2) {
        return 2;
    }
    const quarrow::win32::OleSession ole;
    if (!ole) {
        return 2;
    }
    DragRequest request{{arguments.get() + 1, arguments.get() + count}};

    // Out of the way of the program's window, which opens at the screen's top left.
    const int left = GetSystemMetrics(SM_CXSCREEN) - 160;
    const int top = GetSystemMetrics(SM_CYSCREEN) - 120;
    if (!quarrow::testing::CreateHelperWindow(instance, kCaption, WindowProc, {left, top, left + 120, top + 80},
                                              &request)) {
        return 2;
    }
    quarrow::testing::RunUntilQuit();
    return request.exitCode;
}
