#pragma once
// A secondary window that the main window shows modal. While it shows, its owner is disabled and a
// message loop of its own runs; the loop ends when the window is gone, whether it was closed by its
// close box, by CloseOwnedWindows or by the destruction of its owner (the system destroys owned
// windows with their owner).

#include "SecondaryWindow.hpp"

#include <windows.h>

namespace quarrow::app {

class ModalWindow : public SecondaryWindow {
public:
    ~ModalWindow() override;

    // Shows the window and runs the message loop until the window is gone. The owner is disabled
    // meanwhile (unless it already was) and enabled again before the window disappears, so that it is
    // the window activated next. A WM_QUIT closes the window, ends the loop and is posted again for the
    // loop outside.
    void RunModal();

protected:
    // A message of the modal loop, before it is dispatched: true when the window has handled it (its
    // keyboard moving between controls, say). The default handles nothing.
    virtual bool TranslateKeys(MSG& /*msg*/) { return false; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Close();
    void EnableOwner();

    HWND disabledOwner_ = nullptr; // the owner this window disabled, until it is enabled again
};

} // namespace quarrow::app
