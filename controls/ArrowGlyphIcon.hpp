#pragma once
// The drop-down arrow glyph as an icon: black where ArrowGlyphCovers says, transparent elsewhere.

#include "Handles.hpp"

namespace quarrow::controls {

// Null when the system cannot make the icon.
win32::UniqueIcon CreateArrowGlyphIcon();

} // namespace quarrow::controls
