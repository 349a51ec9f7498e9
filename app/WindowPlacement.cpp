#include "WindowPlacement.hpp"

namespace quarrow::app {

SIZE FrameSizeFor(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace quarrow::app
