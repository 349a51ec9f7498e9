#pragma once
// What the drawn status bar needs of the window it draws into. The bar does not own its host; the
// host must outlive the bar (declare it first).

#include "FontSpec.hpp"

#include <windows.h>

namespace quarrow::controls {

class IStatusBarHost {
public:
    virtual ~IStatusBarHost() = default;

    // The window the bar is drawn into (visual styles are looked up for it).
    virtual HWND Hwnd() const = 0;
    // A context drawing into the client area, kept for the host's whole life, with the host's font
    // and fore colour selected; null while the host has no window.
    virtual HDC Hdc() const = 0;
    // The client area in pixels.
    virtual int ScaleWidth() const = 0;
    virtual int ScaleHeight() const = 0;

    virtual win32::FontSpec Font() const = 0;
    virtual void SetFont(const win32::FontSpec& font) = 0;
};

} // namespace quarrow::controls
