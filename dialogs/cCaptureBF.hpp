#pragma once
// Hosts the shell's folder browser as a borderless child filling another window, for a client that
// implements ICaptureBF. The browser stays modal: Show returns when the hosted dialog closes.

#include "ICaptureBF.hpp"
#include "cBrowseForFolder.hpp"

#include <string>

namespace quarrow::dialogs {

class cCaptureBF {
public:
    cCaptureBF();
    cCaptureBF(const cCaptureBF&) = delete;
    cCaptureBF& operator=(const cCaptureBF&) = delete;

    // The embedded browser, for its properties. Its events belong to this object.
    cBrowseForFolder& Browse() { return browse_; }

    // Shows the browser inside iwp's window. When the dialog closes for good (not for a reload), the
    // client is told to Unload, unless it was forgotten through Unload() first.
    void Show(ICaptureBF& iwp);

    // Closes the showing dialog and shows a new one for the same client, preselecting `sSelPath`.
    // The new dialog appears once the old one has closed, inside the same Show.
    void Reload(std::wstring sSelPath);

    // Forgets the client and closes the dialog if one shows.
    void Unload();

private:
    void Capture();
    void CloseShowingDialog();

    cBrowseForFolder browse_;
    ICaptureBF* client_ = nullptr; // not owned; set for the duration of Show
    bool reloading_ = false;
};

} // namespace quarrow::dialogs
