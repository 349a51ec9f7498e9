#pragma once
// A secondary window that the main window shows modal: a fixed dialog frame with a caption and a close
// box, centred on its owner. While it shows, its owner is disabled and a message loop of its own runs;
// the loop ends when the window is gone, whether it was closed by its close box, by CloseOwnedWindows
// or by the destruction of its owner (the system destroys owned windows with their owner).

#include "Window.hpp"

#include <windows.h>

#include <vector>

namespace quarrow::app {

class ModalWindow : public win32::Window {
public:
    ~ModalWindow() override;

    // Shows the window and runs the message loop until the window is gone. The owner is disabled
    // meanwhile (unless it already was) and enabled again before the window disappears, so that it is
    // the window activated next. A WM_QUIT closes the window, ends the loop and is posted again for the
    // loop outside.
    void RunModal();

protected:
    // Creates the window hidden, owned by `owner` (which may be null), with a client area of
    // `clientTwips` and centred on the owner. Throws std::system_error when the system refuses.
    void CreateFrame(const wchar_t* className, const wchar_t* caption, SIZE clientTwips, HWND owner);

    // The control that takes the keyboard focus whenever the window receives it; null keeps it.
    virtual HWND FocusTarget() const { return nullptr; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Close();
    void EnableOwner();

    HWND disabledOwner_ = nullptr; // the owner this window disabled, until it is enabled again
};

// The windows of the class `className` that `owner` owns, among the top-level windows of the owner's
// thread.
std::vector<HWND> OwnedWindows(HWND owner, const wchar_t* className);

// Closes every window of the class `className` that `owner` owns, as their close boxes would.
void CloseOwnedWindows(HWND owner, const wchar_t* className);

} // namespace quarrow::app
