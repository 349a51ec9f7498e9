#pragma once
// What a test reads off a window: its text, its rectangles and its font.

#include "Gdi.hpp"

#include <windows.h>

#include <string>

namespace quarrow::testing {

inline std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline SIZE ClientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// The control's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

inline bool Overlap(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

// The face name the control's font asked for.
inline std::wstring FontFace(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (!handle || !GetObjectW(handle, sizeof font, &font)) {
        return {};
    }
    return font.lfFaceName;
}

// The width and height of the control's text on one line in the control's font.
inline SIZE TextExtent(HWND control) {
    const win32::WindowDC dc(control);
    const win32::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::wstring text = WindowText(control);
    SIZE extent{};
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

inline bool HasStyle(HWND window, LONG_PTR style) { return (GetWindowLongPtrW(window, GWL_STYLE) & style) == style; }

} // namespace quarrow::testing
