// The real Quarrow.exe: it starts into its main window, found by its caption, and ends when that
// window is closed.

#include "BuildVersion.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct Process {
    PROCESS_INFORMATION info{};
    ~Process() {
        if (info.hProcess) {
            if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info.hProcess, 99);
            }
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

// The window once it shows: it is found by its caption a moment before it is shown.
HWND WaitForVisibleWindow(const wchar_t* className, const wchar_t* caption, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limitMs) {
        const HWND window = FindWindowW(className, caption);
        if (window && IsWindowVisible(window)) {
            return window;
        }
        Sleep(100);
    }
    return nullptr;
}

TEST(QuarrowExe, StartsIntoItsMainWindowAndEndsWhenItCloses) {
    std::wstring program = QUARROW_EXE_PATH;
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    Process process;
    ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process.info))
        << "error " << GetLastError();

    const std::wstring caption = L"Quarrow V" + std::wstring(quarrow::testing::kBuildVersionWide);
    const HWND window = WaitForVisibleWindow(L"frmMain", caption.c_str(), 120000);
    ASSERT_NE(window, nullptr) << "no window captioned " << caption << " showed";
    DWORD owningProcess = 0;
    GetWindowThreadProcessId(window, &owningProcess);
    EXPECT_EQ(owningProcess, process.info.dwProcessId);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 633);
    EXPECT_EQ(client.bottom, 488);

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.info.hProcess, 60000), WAIT_OBJECT_0)
        << "still running after its window closed";
    DWORD exitCode = 1;
    GetExitCodeProcess(process.info.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
