#include "DialogRobot.hpp"

#include "Text.hpp"

#include <algorithm>
#include <exception>

namespace quarrow::testing {

namespace {

using namespace std::chrono_literals;

constexpr auto kStepTimeout = 120s; // generous: a step that succeeds ends at once, and a busy machine is slow
constexpr auto kPoll = 50ms;
constexpr UINT kSendTimeoutMs = 10000;
constexpr int kFileNameBox = 0x47C;    // cmb13: the name box of an Explorer-style file dialog
constexpr int kOldFileNameBox = 0x480; // edt1

bool IsDialog(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return std::wstring_view(name) == L"#32770";
}

BOOL CALLBACK CollectVisibleDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && IsDialog(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

} // namespace

std::string Narrow(std::wstring_view text) { return Utf8FromWide(text); }

DialogRobot::DialogRobot(Script script, std::chrono::seconds deadline)
    : uiThread_(GetCurrentThreadId()), deadline_(std::chrono::steady_clock::now() + deadline),
      thread_([this, script = std::move(script)] { Run(script); }) {}

DialogRobot::~DialogRobot() { Finish(); }

std::vector<std::string> DialogRobot::Finish() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    const std::lock_guard lock(mutex_);
    return failures_;
}

void DialogRobot::Run(const Script& script) {
    bool failed = false;
    try {
        script(*this);
    } catch (const StepFailed&) {
        failed = true;
    } catch (const std::exception& e) {
        Record(std::string("the script threw: ") + e.what());
        failed = true;
    }
    // Watchdog: nothing may stay open past the deadline, nor after a failed step.
    while (!stop_) {
        if (failed || std::chrono::steady_clock::now() > deadline_) {
            CloseEverything(failed ? "after a failed step" : "at the deadline");
        }
        std::this_thread::sleep_for(kPoll * 4);
    }
}

void DialogRobot::Record(std::string failure) {
    const std::lock_guard lock(mutex_);
    failures_.push_back(std::move(failure));
}

void DialogRobot::Fail(const std::string& what) {
    Record(what);
    throw StepFailed{};
}

std::vector<HWND> DialogRobot::VisibleDialogs() const {
    std::vector<HWND> dialogs;
    EnumThreadWindows(uiThread_, &CollectVisibleDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

void DialogRobot::CloseEverything(const char* why) {
    // Cancel first; a box with only Yes and No ignores it, so No follows, and OK last of all.
    static constexpr int kButtons[] = {IDCANCEL, IDNO, IDOK};
    for (const int button : kButtons) {
        const auto dialogs = VisibleDialogs();
        if (dialogs.empty()) {
            return;
        }
        for (const HWND dialog : dialogs) {
            Record("the watchdog closed \"" + Narrow(Text(dialog)) + "\" " + why);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        }
        std::this_thread::sleep_for(kPoll * 6);
    }
}

void DialogRobot::WaitUntil(const std::function<bool()>& condition, const std::string& what) {
    const auto giveUp = std::chrono::steady_clock::now() + kStepTimeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > giveUp) {
            Fail("timed out waiting for " + what);
        }
        std::this_thread::sleep_for(kPoll);
    }
}

HWND DialogRobot::WaitForDialog(std::wstring_view caption) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const HWND dialog : VisibleDialogs()) {
                if (Text(dialog) == caption) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        "the dialog \"" + Narrow(caption) + "\"");
    return found;
}

HWND DialogRobot::WaitForOtherDialog(const std::vector<HWND>& known) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const HWND dialog : VisibleDialogs()) {
                if (std::find(known.begin(), known.end(), dialog) == known.end()) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        "another dialog");
    return found;
}

HWND DialogRobot::WaitForDialogWithChild(const wchar_t* childClass) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (const HWND dialog : VisibleDialogs()) {
                if (FindWindowExW(dialog, nullptr, childClass, nullptr)) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        "a dialog holding a " + Narrow(childClass));
    return found;
}

void DialogRobot::WaitGone(HWND window) {
    WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, "the dialog to close");
}

void DialogRobot::TypeFileName(HWND fileDialog, std::wstring_view text) {
    HWND box = GetDlgItem(fileDialog, kFileNameBox);
    if (box) {
        // ComboBoxEx32 > ComboBox > Edit
        const HWND combo = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
        const HWND edit = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
        box = edit ? edit : box;
    } else {
        box = GetDlgItem(fileDialog, kOldFileNameBox);
    }
    if (!box) {
        Fail("the file dialog has no name box");
    }
    const std::wstring value(text);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()), SMTO_NORMAL, kSendTimeoutMs,
                             &ignored)) {
        Fail("could not type into the file dialog");
    }
}

void DialogRobot::Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void DialogRobot::Sync(HWND window) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &ignored) && IsWindow(window)) {
        Fail("the dialog's thread did not answer");
    }
}

std::wstring DialogRobot::Text(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        kSendTimeoutMs, &length);
    return std::wstring(text, std::min<std::size_t>(length, std::size(text) - 1));
}

} // namespace quarrow::testing
