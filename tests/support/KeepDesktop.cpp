// Holds the Wine desktop for as long as a run of the Windows tests lasts. Wine closes a desktop, and
// ends the explorer process that serves it, a second after its last program has ended, and the next
// program then starts a new one. With one test program after another, a program could meet a desktop
// that was being closed and fail to create its windows, and the explorer it started would hold the
// test runner's output pipe, which then stayed open for twenty seconds after the test had ended. This
// program is a user of the desktop until the Wine server is stopped. It writes one line to its
// standard output once the desktop is there, so that nothing else starts while it is being made.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    GetDesktopWindow(); // connects the process to the desktop, which starts it
    static constexpr char kReady[] = "desktop ready\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), kReady, sizeof kReady - 1, &written, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
