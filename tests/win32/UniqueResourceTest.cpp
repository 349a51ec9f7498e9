#include "Gdi.hpp"
#include "Handles.hpp"

#include "GdiProbe.hpp"

#include <gtest/gtest.h>

namespace quarrow::win32 {
namespace {

using testing::FreeGdiSlots;

TEST(UniqueResource, ReleasesExactlyOnceAcrossMoves) {
    const int before = FreeGdiSlots();
    HPEN raw = nullptr;
    {
        UniquePen pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        ASSERT_TRUE(pen);
        raw = pen.Get();
        UniquePen moved(std::move(pen));
        EXPECT_FALSE(pen);
        EXPECT_TRUE(moved);
        UniquePen assigned;
        assigned = std::move(moved);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_PEN)) << "moving must not release";
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
    EXPECT_EQ(FreeGdiSlots(), before);
}

TEST(UniqueResource, DetachGivesUpOwnership) {
    UniqueBrush brush(CreateSolidBrush(RGB(9, 9, 9)));
    const HBRUSH raw = brush.Detach();
    EXPECT_FALSE(brush);
    EXPECT_NE(GetObjectType(raw), 0u) << "a detached object must still exist";
    DeleteObject(raw);
}

TEST(UniqueResource, FileHandleTreatsInvalidHandleValueAsEmpty) {
    UniqueFileHandle none;
    EXPECT_FALSE(none);
    UniqueFileHandle failed(CreateFileW(L"Z:\\no\\such\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(failed);
}

TEST(SelectedObject, PutsBackThePreviousObject) {
    const int before = FreeGdiSlots();
    {
        UniqueDC dc = CreateMemoryDC();
        ASSERT_TRUE(dc);
        const HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_PEN);
        UniquePen pen(CreatePen(PS_SOLID, 1, RGB(200, 0, 0)));
        {
            SelectedObject selected(dc.Get(), pen.Get());
            EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), original);
    }
    EXPECT_EQ(FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::win32
