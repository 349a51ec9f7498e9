#pragma once
// A font as the program keeps it: a description in points that can be compared, saved in a control's
// settings, edited in the font dialog and turned into a GDI font at a device's resolution.

#include "Gdi.hpp"

#include <string>

namespace quarrow::win32 {

struct FontSpec {
    std::wstring name = L"MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    BYTE charset = DEFAULT_CHARSET;

    friend bool operator==(const FontSpec&, const FontSpec&) = default;

    // The logical font at `dotsPerInch` vertical dots per inch.
    LOGFONTW LogFont(int dotsPerInch, BYTE quality = DEFAULT_QUALITY) const;

    // The font at the resolution of `dc` (the screen's when null); empty when the system refuses.
    UniqueFont Create(HDC dc = nullptr, BYTE quality = DEFAULT_QUALITY) const;

    // The description of a logical font made for `dotsPerInch` vertical dots per inch.
    static FontSpec FromLogFont(const LOGFONTW& font, int dotsPerInch);

    // The font the system uses for message boxes and dialogs, which picks faces for the user's
    // language, so that Chinese text shows.
    static FontSpec MessageFont();
};

} // namespace quarrow::win32
