#include "HostColor.hpp"

namespace quarrow::controls {

namespace {
constexpr OleColor kSystemColorFlag = 0x80000000u;
constexpr OleColor kButtonFace = kSystemColorFlag | COLOR_BTNFACE;
} // namespace

OleColor WindowBackgroundColor(HWND window) {
    if (!window) {
        return kButtonFace;
    }
    const ULONG_PTR brush = GetClassLongPtrW(window, GCLP_HBRBACKGROUND);
    // A class may name a system colour by its index plus one instead of giving a brush.
    if (brush > 0 && brush <= COLOR_MENUBAR + 1) {
        return kSystemColorFlag | static_cast<OleColor>(brush - 1);
    }
    LOGBRUSH description{};
    if (brush && GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof description, &description) == sizeof description &&
        description.lbStyle == BS_SOLID) {
        return description.lbColor;
    }
    return kButtonFace;
}

} // namespace quarrow::controls
