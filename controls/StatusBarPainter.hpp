#pragma once
// Paints the parts of the status bar, either with the visual-styles class "Status" or in the classic
// look of the common controls. cNoStatusBar decides what goes where; a painter only knows how each
// part looks.

#include "FontSpec.hpp"
#include "StatusBarLayout.hpp"
#include "StatusPanelStyle.hpp"

#include <windows.h>

#include <memory>
#include <string>

namespace quarrow::controls {

inline RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// One panel as it is about to be painted.
struct PanelPaint {
    PixelRect rect;
    std::wstring text;
    HICON icon = nullptr;
    int iconSize = 0;
    UINT style = 0;
    bool isLast = false;
};

class StatusBarPainter {
public:
    virtual ~StatusBarPainter();
    StatusBarPainter(const StatusBarPainter&) = delete;
    StatusBarPainter& operator=(const StatusBarPainter&) = delete;

    // What lies under the panel before an owner may draw on it.
    virtual void PanelBackground(const PanelPaint& panel) = 0;
    // The panel's own drawing: frame, icon and text as the look has them.
    virtual void PanelContent(const PanelPaint& panel) = 0;
    // One text across the whole bar, in place of the panels.
    virtual void SimpleText(const PixelRect& bar, const std::wstring& text) = 0;
    virtual void SizeGrip(const PixelRect& bar) = 0;

protected:
    explicit StatusBarPainter(HDC dc);
    HDC dc_;

private:
    int savedState_;
};

struct StatusBarCanvas {
    HWND window = nullptr;
    HDC dc = nullptr;
    PixelRect bar;
    win32::FontSpec font; // the host's font; the classic size grip is drawn at 4/3 of its size
};

// Paints the bar's background and returns the painter for the rest. With `themed`, the visual style
// is tried first; a theme that cannot be opened or drawn gives the classic look.
std::unique_ptr<StatusBarPainter> BeginStatusBarPaint(const StatusBarCanvas& canvas, bool themed);

} // namespace quarrow::controls
