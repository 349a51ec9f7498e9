#pragma once
// The font that the font dialog starts from and returns: the attributes a caller reads and sets, in
// points rather than in device units.

#include <windows.h>

#include <string>

namespace quarrow::dialogs {

struct DialogFont {
    std::wstring Name;
    double Size = 0; // points
    bool Bold = false;
    bool Italic = false;
    bool Strikethru = false;
    bool Underline = false;

    friend bool operator==(const DialogFont&, const DialogFont&) = default;
};

// The system's message font, which a new dialog object starts from.
DialogFont SystemMessageFont();

// The logical font for `font` at `dotsPerInch` vertical dots per inch.
LOGFONTW LogFontFrom(const DialogFont& font, int dotsPerInch);

// The attributes of a logical font whose size the font dialog reported in tenths of a point.
DialogFont DialogFontFrom(const LOGFONTW& logFont, int pointSizeInTenths);

// Vertical dots per inch of the screen.
int ScreenDotsPerInch();

} // namespace quarrow::dialogs
