#pragma once
// What a window implements to host the folder browser inside itself through cCaptureBF.

#include <windows.h>

#include <string>

namespace quarrow::dialogs {

class cCaptureBF;

class ICaptureBF {
public:
    // The window whose client area the browser fills.
    virtual HWND CapturehWnd() = 0;
    // The browser now lives in the host; `capture` is the object to reload or unload it with.
    virtual void CaptureBrowseForFolder(cCaptureBF& capture) = 0;
    // The user selected another folder (empty for one outside the file system).
    virtual void SelectionChanged(const std::wstring& sPath) = 0;
    // The hosted browser has closed.
    virtual void Unload() = 0;

protected:
    ~ICaptureBF() = default;
};

} // namespace quarrow::dialogs
