#pragma once
// The geometry of the drawn status bar as plain functions: where each panel lies across the bar, how
// wide a panel wants to be, where a panel's icon and the size grip go. Nothing here touches a window,
// so every rule can be checked without one.

#include "PixelRect.hpp"

#include <cstddef>
#include <span>
#include <vector>

namespace quarrow::controls {

// What the layout needs to know of one panel.
struct PanelLayoutInput {
    int minWidth = 0;
    int idealWidth = 0;
    bool fitToContents = false;
    bool spring = false;
    bool hasIcon = false;
};

// Extra room a panel asks for beyond its measured text, so that the text clears the frame.
inline constexpr int kPanelTextPadding = 12;

// The width a panel wants: the measured width of its whole text plus padding, never below its minimum.
int IdealPanelWidth(int measuredTextWidth, int minWidth);

// Lays the panels out from the left edge of `bar` (the host's client area with any offsets applied).
// Each panel takes its ideal width when it fits to contents, else its minimum width, plus `iconSize`
// when it shows an icon; the last of two or more panels also takes half the bar's height, so that its
// text clears the size grip. When the bar is wide enough, the spring panel (the highest-numbered one
// that springs, else the last) takes the rest, so the last panel ends exactly at the bar's right edge;
// otherwise nobody grows. Every panel spans the bar's height; all but the last end one pixel before
// the next begins.
std::vector<PixelRect> LayOutStatusPanels(std::span<const PanelLayoutInput> panels, const PixelRect& bar, int iconSize);

// How many of the laid-out panels are drawn on a bar whose right edge is `barRight`: the first panel
// reaching beyond it is cut one pixel short of the edge and is the last one drawn. Cuts `panels`
// (the copy being drawn) in place.
std::size_t CutPanelsAtBarEnd(std::span<PixelRect> panels, int barRight);

// The vertical position of a panel's icon: `margin` below the panel's top plus half of the space the
// icon leaves free (rounded to the nearest pixel, ties to even).
int PanelIconTop(const PixelRect& panel, int iconSize, int margin);

// The square at the right end of the bar where the size grip goes.
PixelRect SizeGripBox(const PixelRect& bar);

// Half of `value`, rounded to the nearest integer with ties to even.
int HalfRoundedToEven(int value);

} // namespace quarrow::controls
