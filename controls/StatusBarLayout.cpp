#include "StatusBarLayout.hpp"

#include <algorithm>

namespace quarrow::controls {

int IdealPanelWidth(int measuredTextWidth, int minWidth) {
    return std::max(measuredTextWidth + kPanelTextPadding, minWidth);
}

std::vector<PixelRect> LayOutStatusPanels(std::span<const PanelLayoutInput> panels, const PixelRect& bar,
                                          int iconSize) {
    std::vector<PixelRect> rects(panels.size());
    if (panels.empty()) {
        return rects;
    }
    const std::size_t last = panels.size() - 1;

    // Right edges, running from the bar's left edge.
    std::vector<int> edges(panels.size());
    int edge = bar.left;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const PanelLayoutInput& panel = panels[i];
        edge += panel.fitToContents ? panel.idealWidth : panel.minWidth;
        if (panel.hasIcon) {
            edge += iconSize;
        }
        if (i == last && panels.size() > 1) {
            edge += (bar.bottom - bar.top) / 2;
        }
        edges[i] = edge;
    }

    std::size_t springing = last;
    for (std::size_t i = panels.size(); i-- > 0;) {
        if (panels[i].spring) {
            springing = i;
            break;
        }
    }
    const int room = bar.right - edges[last];
    if (room >= 0) {
        for (std::size_t i = springing; i < edges.size(); ++i) {
            edges[i] += room;
        }
    }

    for (std::size_t i = 0; i < panels.size(); ++i) {
        const int left = i == 0 ? bar.left : edges[i - 1];
        const int right = i == last ? edges[i] : edges[i] - 1;
        rects[i] = PixelRect{left, bar.top, right, bar.bottom};
    }
    return rects;
}

std::size_t CutPanelsAtBarEnd(std::span<PixelRect> panels, int barRight) {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        if (panels[i].right > barRight) {
            panels[i].right = barRight - 1;
            return i + 1;
        }
    }
    return panels.size();
}

int PanelIconTop(const PixelRect& panel, int iconSize, int margin) {
    const int freeSpace = (panel.bottom - panel.top) - iconSize - 2;
    return panel.top + margin + HalfRoundedToEven(freeSpace);
}

PixelRect SizeGripBox(const PixelRect& bar) {
    return PixelRect{bar.right - (bar.bottom - bar.top), bar.top, bar.right, bar.bottom};
}

int HalfRoundedToEven(int value) {
    // Floor division keeps negative values right; an odd value lies exactly between two integers.
    int half = value / 2;
    if (value % 2 != 0 && value < 0) {
        --half;
    }
    if (value % 2 != 0 && half % 2 != 0) {
        ++half;
    }
    return half;
}

} // namespace quarrow::controls
