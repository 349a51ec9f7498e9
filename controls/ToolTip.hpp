#pragma once
// A tool-tip for one window: the system's tool-tip control, made when the first text arrives and
// destroyed with this object.

#include "UniqueResource.hpp"

#include <windows.h>

#include <string>

namespace quarrow::controls {

namespace traits {
struct OwnedWindow {
    static HWND Invalid() { return nullptr; }
    static void Release(HWND h) {
        if (IsWindow(h)) {
            DestroyWindow(h);
        }
    }
};
} // namespace traits

class ToolTip {
public:
    explicit ToolTip(HWND tool) : tool_(tool) {}

    // Shows `text` for the window from now on; an empty text shows nothing.
    void SetText(const std::wstring& text);
    // The text the tool-tip control holds for the window; empty while there is no control.
    std::wstring ShownText() const;
    HWND Handle() const { return tip_.Get(); }

private:
    bool EnsureControl();

    HWND tool_;
    std::wstring text_;
    win32::UniqueResource<HWND, traits::OwnedWindow> tip_;
};

} // namespace quarrow::controls
