#include "PaintedWindow.hpp"

#include "Gdi.hpp"

namespace quarrow::win32 {

LRESULT PaintedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        const PaintDC paint(Handle());
        OnPaint(paint.Get());
        return 0;
    }
    case WM_PRINTCLIENT: OnPaint(reinterpret_cast<HDC>(wParam)); return 0;
    default: return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace quarrow::win32
