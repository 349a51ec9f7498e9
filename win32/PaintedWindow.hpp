#pragma once
// A window that paints itself in one routine: OnPaint serves WM_PAINT (between BeginPaint and
// EndPaint) and WM_PRINTCLIENT (into the context it brings), so that a printed picture of the window
// is exactly what the screen shows. The background is never erased first: the routine covers all it
// shows, and an erase before it would only flicker.

#include "Window.hpp"

namespace quarrow::win32 {

class PaintedWindow : public Window {
protected:
    virtual void OnPaint(HDC dc) = 0;

    // Derived windows pass the messages they do not handle on to this one.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace quarrow::win32
