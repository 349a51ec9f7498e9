#pragma once
// A font as the controls keep it in their settings: a description that can be compared, saved and
// turned into a GDI font at the screen's resolution.

#include "Gdi.hpp"

#include <string>

namespace quarrow::controls {

struct FontSpec {
    std::wstring name = L"MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    BYTE charset = DEFAULT_CHARSET;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;

    // The font at the resolution of `dc` (the screen's when null); empty when the system refuses.
    win32::UniqueFont Create(HDC dc = nullptr, BYTE quality = DEFAULT_QUALITY) const;

    // The description of a GDI font (as a window's WM_GETFONT gives it), or the default when null.
    static FontSpec FromFont(HFONT font, HDC dc = nullptr);

    // The font the system uses for message boxes and dialogs.
    static FontSpec MessageFont();
};

} // namespace quarrow::controls
