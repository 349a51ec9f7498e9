#include "Window.hpp"

#include <cstdio>
#include <string>

namespace quarrow::win32 {

namespace {

constexpr wchar_t kNotificationTargetProperty[] = L"Quarrow.NotificationTarget";

std::optional<LRESULT> ReflectNotification(LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !header->hwndFrom) {
        return std::nullopt;
    }
    auto* target = static_cast<NotificationTarget*>(GetPropW(header->hwndFrom, kNotificationTargetProperty));
    return target ? target->OnNotify(*header) : std::nullopt;
}

} // namespace

void NotificationTarget::Serve(HWND control) { SetPropW(control, kNotificationTargetProperty, this); }

void NotificationTarget::StopServing(HWND control) { RemovePropW(control, kNotificationTargetProperty); }

Window::~Window() { DestroyHandle(); }

void Window::DestroyHandle() {
    if (hwnd_ && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void Window::RegisterWindowClass(const wchar_t* className, UINT style, HBRUSH background, HCURSOR cursor, HICON icon) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &existing)) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &Window::StaticWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor;
    wc.hIcon = icon;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND Window::CreateHandle(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId) {
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                           GetModuleHandleW(nullptr), this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Window::OnUnhandledException(std::exception_ptr error) {
    // No allocation: the error may well be that memory ran out.
    const char* what = "";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        what = e.what(); // lives as long as `error`
    } catch (...) {
    }
    char text[512];
    std::snprintf(text, sizeof text, "unhandled error in a window handler%s%s", *what ? ": " : "", what);
    OutputDebugStringA(text);
    std::fprintf(stderr, "%s\n", text);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        const auto reflected = message == WM_NOTIFY ? ReflectNotification(lParam) : std::nullopt;
        result = reflected ? *reflected : self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // The last resort: nothing may leave here into the system's frames, not even from the report.
        try {
            self->OnUnhandledException(std::current_exception());
        } catch (...) {
            OutputDebugStringA("unhandled error in a window handler, and in its report");
        }
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

} // namespace quarrow::win32
