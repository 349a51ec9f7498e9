// Times the main window's Open as a user meets it: from the click on the toolbar button to the entry
// list painted with the archive's rows, with the real progress window in between. The open dialog is
// answered at once, so only the program's own work is timed.
//
//   open_speed ARCHIVE [--runs N] [--find PATTERN]
// Prints one line per run, "open <milliseconds> ms <entries> entries", and exits non-zero when an
// Open did not list the archive. With --find, each Open is followed by Find with the pattern, timed
// from the call to the painted list: "find <milliseconds> ms <rows> rows". With --runs 0 it only starts, shows the main
// window and ends: the cost of the program's start, for comparison.

#include "frmMain.hpp"

#include "MessagePump.hpp"
#include "ScriptedDialogProvider.hpp"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int Run(const std::wstring& archive, int runs, const std::wstring& pattern) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
    quarrow::dialogs::ScriptedDialogProvider dialogs;
    quarrow::app::frmMain window(dialogs);
    window.Show();
    quarrow::win32::PumpPendingMessages();
    for (int run = 0; run < runs; ++run) {
        dialogs.AnswerOpenFile(archive);
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        window.Click(quarrow::app::ToolbarButton::Open);
        RedrawWindow(window.lstFile().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        QueryPerformanceCounter(&end);
        const std::size_t entries = window.lstFile().Count();
        std::printf("open %.1f ms %zu entries\n", Milliseconds(start, end), entries);
        if (entries == 0 || entries != window.workspace().Count() || !dialogs.Mismatches().empty()) {
            std::fprintf(stderr, "open_speed: the archive was not listed\n");
            return 1;
        }
        quarrow::win32::PumpPendingMessages();
        if (!pattern.empty()) {
            QueryPerformanceCounter(&start);
            window.SelectMatchingRows(pattern);
            RedrawWindow(window.lstFile().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            QueryPerformanceCounter(&end);
            std::printf("find %.1f ms %zu rows\n", Milliseconds(start, end),
                        window.lstFile().SelectedPositions().size());
            quarrow::win32::PumpPendingMessages();
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: open_speed ARCHIVE [--runs N] [--find PATTERN]\n");
        return 2;
    }
    int runs = 1;
    std::wstring pattern;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--runs") == 0) {
            runs = std::max(0, _wtoi(argv[i + 1]));
        } else if (std::wcscmp(argv[i], L"--find") == 0) {
            pattern = argv[i + 1];
        }
    }
    return Run(argv[1], runs, pattern);
}
