#pragma once
// The base of every window the program creates: one static window procedure that finds the object
// (stored at WM_NCCREATE) and forwards to its HandleMessage. Exceptions stop at this boundary; they
// never unwind through the system.
//
// A child's notification (WM_NOTIFY) goes first to the object behind the child, when it has one: the
// parent reflects it, so that a control object serves its own notifications wherever it is placed.

#include <windows.h>

#include <exception>
#include <optional>

namespace quarrow::win32 {

// The object behind a control whose window procedure is the system's (a list view, say), serving the
// notifications the control sends to its parent.
class NotificationTarget {
public:
    // The result of a notification this object serves; empty leaves it to the parent's handlers.
    virtual std::optional<LRESULT> OnNotify(const NMHDR& header) = 0;

protected:
    NotificationTarget() = default;
    ~NotificationTarget() = default;
    NotificationTarget(const NotificationTarget&) = delete;
    NotificationTarget& operator=(const NotificationTarget&) = delete;

    // Makes this object the one that serves `control`'s notifications, until StopServing, which must
    // come before the control is destroyed.
    void Serve(HWND control);
    void StopServing(HWND control);
};

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

    // Destroys the window if it still exists. Derived classes call it from their destructors, so
    // that the messages of the destruction still reach their handlers.
    void DestroyHandle();

protected:
    // Registers a window class served by this base once per process; later calls do nothing.
    static void RegisterWindowClass(const wchar_t* className, UINT style = CS_DBLCLKS, HBRUSH background = nullptr,
                                    HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW), HICON icon = nullptr);

    // Creates the window for this object. Returns the handle, or null when the system refused.
    HWND CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menuOrId = nullptr);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

    // Called when a handler throws. The default writes the error to the debug output and stderr.
    virtual void OnUnhandledException(std::exception_ptr error);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

} // namespace quarrow::win32
