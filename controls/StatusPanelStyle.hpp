#pragma once
// The bits of a status bar panel's style: the system's status-text flags, and the bar's own mark for
// panels that their owner draws.

#include <windows.h>

namespace quarrow::controls {

inline constexpr UINT kPanelNoBorders = 0x100;
inline constexpr UINT kPanelPopOut = 0x200;
inline constexpr UINT kPanelRightToLeft = 0x400;
inline constexpr UINT kPanelOwnerDraw = 0x1000;

// The bits the system's status-text drawing understands.
inline constexpr UINT kPanelSystemStyles = kPanelNoBorders | kPanelPopOut | kPanelRightToLeft;

} // namespace quarrow::controls
