#pragma once
// Files dragged onto a window through the system's drag and drop, as file managers start it: the
// window takes the files a drag offers (CF_HDROP) and hears of them once the drop has returned, so that
// the drag's source is not held while the files are added. Wine delivers such drags only to a window
// registered for them, not as WM_DROPFILES to one that accepts files; Windows delivers both.

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

namespace quarrow::app {

// The paths of an HDROP, in its order.
std::vector<std::wstring> DroppedPaths(HDROP drop);

class FileDropTarget {
public:
    // Registers `window` for drops; without an OLE session on the thread it takes none, and the
    // window's WM_DROPFILES remains the only way in. `dropped` runs from the window's message loop.
    FileDropTarget(HWND window, std::function<void(std::vector<std::wstring>)> dropped);
    ~FileDropTarget();
    FileDropTarget(const FileDropTarget&) = delete;
    FileDropTarget& operator=(const FileDropTarget&) = delete;

    // For the window's procedure: true when `message` carried dropped files, which have been handed on.
    bool HandleMessage(UINT message);

private:
    class Target;
    HWND window_;
    Target* target_ = nullptr; // counted: the system holds it too while the window is registered
    bool registered_ = false;
};

} // namespace quarrow::app
