#pragma once
// Drives the system's real dialogs from a second thread while the test's own thread sits in the
// modal call: finds a dialog among the test thread's windows, types into it, presses its buttons.
// A watchdog closes whatever still shows once the deadline has passed (or at once after a failed
// step), so that a test that goes wrong fails instead of hanging.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quarrow::testing {

class DialogRobot {
public:
    using Script = std::function<void(DialogRobot&)>;

    // Starts `script` on the robot's thread. Construct it on the thread that shows the dialogs.
    explicit DialogRobot(Script script, std::chrono::seconds deadline = std::chrono::seconds(300));
    ~DialogRobot();
    DialogRobot(const DialogRobot&) = delete;
    DialogRobot& operator=(const DialogRobot&) = delete;

    // Stops the watchdog, waits for the robot and returns what went wrong: failed steps, and every
    // dialog the watchdog had to close. Empty when the script ran as planned.
    std::vector<std::string> Finish();

    // ---- steps, for the script (robot thread). A step that cannot be done ends the script.

    // A visible dialog of the test thread whose caption is `caption`.
    HWND WaitForDialog(std::wstring_view caption);
    // A visible dialog of the test thread that is not one of `known`.
    HWND WaitForOtherDialog(const std::vector<HWND>& known);
    // A visible dialog of the test thread that has a child of class `childClass`.
    HWND WaitForDialogWithChild(const wchar_t* childClass);
    void WaitUntil(const std::function<bool()>& condition, const std::string& what);
    void WaitGone(HWND window);

    // Types into the name box of a file dialog.
    void TypeFileName(HWND fileDialog, std::wstring_view text);
    // Posts a click of the button `id`.
    void Press(HWND dialog, int id);
    // Returns once the window's thread has handled every message sent to it before. A posted message
    // (Press) may still wait: a thread handles what is sent to it first.
    void Sync(HWND window);
    std::wstring Text(HWND window);

    [[noreturn]] void Fail(const std::string& what);

private:
    struct StepFailed {};

    void Run(const Script& script);
    void Record(std::string failure);
    std::vector<HWND> VisibleDialogs() const;
    void CloseEverything(const char* why);

    const DWORD uiThread_;
    const std::chrono::steady_clock::time_point deadline_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> failures_;
    std::thread thread_;
};

// Dialog captions and control texts as UTF-8, for failure messages.
std::string Narrow(std::wstring_view text);

} // namespace quarrow::testing
