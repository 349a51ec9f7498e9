#pragma once
// Owner of a handle of the system's DrawDib video engine, closed with DrawDibClose.

#include "UniqueResource.hpp"

#include <windows.h>
#include <vfw.h>

namespace quarrow::controls {

namespace traits {
struct DrawDib {
    static HDRAWDIB Invalid() { return nullptr; }
    static void Release(HDRAWDIB h) { DrawDibClose(h); }
};
} // namespace traits

using UniqueDrawDib = win32::UniqueResource<HDRAWDIB, traits::DrawDib>;

} // namespace quarrow::controls
