#pragma once
// A secondary window of the program: a fixed dialog frame with a caption and a close box, owned by and
// centred on another window. ModalWindow runs one modal; the append-content window shows modeless.

#include "Window.hpp"

#include <windows.h>

#include <vector>

namespace quarrow::app {

class SecondaryWindow : public win32::Window {
protected:
    // Creates the window hidden, owned by `owner` (which may be null), with a client area of
    // `clientTwips` and centred on the owner. Throws std::system_error when the system refuses.
    void CreateFrame(const wchar_t* className, const wchar_t* caption, SIZE clientTwips, HWND owner);

    // The control that takes the keyboard focus whenever the window receives it; null keeps it.
    virtual HWND FocusTarget() const { return nullptr; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The windows of the class `className` that `owner` owns, among the top-level windows of the owner's
// thread.
std::vector<HWND> OwnedWindows(HWND owner, const wchar_t* className);

// Closes every window of the class `className` that `owner` owns, as their close boxes would.
void CloseOwnedWindows(HWND owner, const wchar_t* className);

} // namespace quarrow::app
