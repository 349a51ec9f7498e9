#pragma once
// A font as a host window keeps it: face name, size in points and style. Fonts are created from it at
// the resolution of the context they are drawn into.

#include "Gdi.hpp"

#include <string>

namespace quarrow::controls {

struct FontDescription {
    std::wstring name{};
    double size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// Creates the described font for drawing into `dc` (its vertical resolution turns points into
// pixels). Empty when the system refuses.
win32::UniqueFont CreateFontFor(const FontDescription& font, HDC dc, BYTE quality = DEFAULT_QUALITY);

// The font the system uses for message boxes and dialogs.
FontDescription MessageFontDescription();

} // namespace quarrow::controls
