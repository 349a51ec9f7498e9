// change_file PATH: a stand-in for the program a file is opened in. It shows a small window titled
// "change_file", which takes the activation from the program that opened the file as an editor's
// window would, appends a line to the file, closes the window and ends. The exit code is 0 once the
// line is written, 1 when the file cannot be written, 2 without a path.

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kCaption[] = L"change_file";
constexpr char kAppended[] = "changed by change_file\r\n";

bool AppendLine(const wchar_t* path) {
    const HANDLE file =
        CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL wrote = WriteFile(file, kAppended, sizeof kAppended - 1, &written, nullptr);
    CloseHandle(file);
    return wrote && written == sizeof kAppended - 1;
}

// Lets the window be shown and activated, as the user would see it for a moment.
void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2) {
        return 2;
    }
    const std::wstring path = arguments[1];
    LocalFree(arguments);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kCaption;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, kCaption, kCaption, WS_OVERLAPPEDWINDOW, 40, 40, 240, 120, nullptr, nullptr,
                                        instance, nullptr);
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    }
    PumpFor(500);
    const bool changed = AppendLine(path.c_str());
    PumpFor(300);
    if (window) {
        DestroyWindow(window);
    }
    return changed ? 0 : 1;
}
