// Shows one of the program's secondary windows for scripts/window-screenshots to take its picture:
//   window_shots about | help | find    the About, the Help or the find window over a plain owner window
//   window_shots append          the append-content window after a run, over the main window
// It writes "ready" to its output once the window holds what the picture should show. The window closes
// by its close box, or by itself after a minute so that nothing lingers.

#include "dlgAbout.hpp"
#include "dlgAddContent.hpp"
#include "dlgFind.hpp"
#include "dlgHelp.hpp"
#include "frmMain.hpp"

#include "ExampleArchive.hpp"
#include "ScriptedDialogProvider.hpp"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

constexpr wchar_t kOwnerClass[] = L"QuarrowWindowShotsOwner";
constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpMs = 60'000;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kGiveUpTimer) {
        quarrow::app::CloseAboutWindow(window);
        quarrow::app::CloseHelpWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A stand-in for the main window, as large as it and centred on the screen.
HWND CreateOwner() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
    wc.lpszClassName = kOwnerClass;
    RegisterClassExW(&wc);
    RECT frame{0, 0, 633, 488};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    return CreateWindowExW(0, kOwnerClass, L"Quarrow window shots", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                           width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SayReady() {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

int ShowModalWindow(std::wstring_view which) {
    const HWND owner = CreateOwner();
    if (!owner) {
        std::fputs("window_shots: could not create the owner window\n", stderr);
        return 1;
    }
    SetTimer(owner, kGiveUpTimer, kGiveUpMs, nullptr);
    SayReady(); // the window shows as soon as its loop runs
    if (which == L"about") {
        quarrow::app::ShowAboutWindow(owner);
    } else if (which == L"find") {
        quarrow::app::AskFindPattern(owner, L"pic/*.bmp");
    } else {
        quarrow::app::ShowHelpWindow(owner);
    }
    DestroyWindow(owner);
    return 0;
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

// The main window packs the example archive's two files into it; the append window then lists
// a 10-byte and a 4-byte file and runs Start, which puts them at B3h - BCh and BFh - C2h. The dialogs
// are answered by script, as in the tests.
int ShowAppendWindowAfterARun() {
    using quarrow::app::AddContentControl;
    using quarrow::app::ToolbarButton;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"Quarrow window shots";
    std::filesystem::create_directories(folder);
    std::vector<std::wstring> exampleFiles;
    for (const quarrow::testing::ExampleFile& file : quarrow::testing::kExampleFiles) {
        exampleFiles.push_back(file.WideName());
        WriteBytes(folder / exampleFiles.back(), file.content);
    }
    WriteBytes(folder / L"LOGO.BMP", "ABCDEFGHIJ");
    WriteBytes(folder / L"城池.DAT", "wxyz");
    std::filesystem::remove(folder / L"EXAMPLE.PAK");

    quarrow::dialogs::ScriptedDialogProvider dialogs;
    dialogs.AnswerOpenFiles({folder.wstring(), exampleFiles});
    dialogs.AnswerSaveFile((folder / L"EXAMPLE.PAK").wstring());
    dialogs.AnswerOpenFiles({folder.wstring(), {L"LOGO.BMP", L"城池.DAT"}});
    {
        quarrow::app::frmMain window(dialogs);
        window.Unloaded = [] { PostQuitMessage(0); };
        window.Show();
        window.Click(ToolbarButton::AddFile);
        window.Click(ToolbarButton::Save);
        window.Click(ToolbarButton::AddContent);
        const quarrow::app::dlgAddContent* shown = window.AddContentWindow();
        if (!shown) {
            std::fputs("window_shots: the append-content window did not open\n", stderr);
            return 1;
        }
        SendMessageW(shown->Control(AddContentControl::cmdBrowse), BM_CLICK, 0, 0);
        SendMessageW(shown->Control(AddContentControl::cmdStart), BM_CLICK, 0, 0);
        SayReady();
        SetTimer(nullptr, 0, kGiveUpMs, &GiveUp);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (!window.TranslateDialogKeys(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return dialogs.Mismatches().empty() ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view which = argc == 2 ? argv[1] : L"";
    if (which != L"about" && which != L"help" && which != L"find" && which != L"append") {
        std::fputs("usage: window_shots about|help|find|append\n", stderr);
        return 2;
    }
    try {
        return which == L"append" ? ShowAppendWindowAfterARun() : ShowModalWindow(which);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_shots: %s\n", error.what());
        return 1;
    }
}
