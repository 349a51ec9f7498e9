#pragma once
// Counts the GDI handles this process could still create. Wine's GetGuiResources always answers 0, so
// a leak test compares this count before and after the code under test (after one warm-up run, since
// the system caches some objects on first use): every leaked object is one slot fewer.

#include <windows.h>

#include <vector>

namespace quarrow::testing {

inline int FreeGdiSlots() {
    std::vector<HPEN> pens;
    pens.reserve(70000);
    while (pens.size() < 200000) {
        const HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        if (!pen) {
            break;
        }
        pens.push_back(pen);
    }
    for (const HPEN pen : pens) {
        DeleteObject(pen);
    }
    return static_cast<int>(pens.size());
}

} // namespace quarrow::testing
