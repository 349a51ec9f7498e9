#include "pcMemDC.hpp"

#include "DibCanvas.hpp"
#include "GdiProbe.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

using testing::DibCanvas;
using testing::FreeGdiSlots;

void FillSurface(HDC dc, RECT area, COLORREF colour) {
    const win32::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &area, brush.Get());
}

TEST(pcMemDC, GrowsOnlyWhenALargerSizeIsAskedFor) {
    pcMemDC surface;
    EXPECT_EQ(surface.Width(), 0);
    const HDC first = surface.hdc(200, 30);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(surface.Width(), 200);
    EXPECT_EQ(surface.Height(), 30);

    EXPECT_EQ(surface.hdc(100, 20), first);
    EXPECT_EQ(surface.hdc(200, 30), first);
    EXPECT_EQ(surface.Width(), 200);
    EXPECT_EQ(surface.Height(), 30);

    ASSERT_NE(surface.hdc(201, 10), nullptr);
    EXPECT_EQ(surface.Width(), 201) << "recreated at exactly the size asked for";
    EXPECT_EQ(surface.Height(), 10);

    ASSERT_NE(surface.hdc(200, 30), nullptr);
    EXPECT_EQ(surface.Width(), 200) << "taller than 10 rows: recreated again";
    EXPECT_EQ(surface.Height(), 30);
}

TEST(pcMemDC, HasNoSurfaceOfNoSize) {
    pcMemDC surface;
    EXPECT_EQ(surface.hdc(0, 10), nullptr);
    EXPECT_EQ(surface.hdc(10, -1), nullptr);
    EXPECT_EQ(surface.Width(), 0);
    DibCanvas canvas(4, 4, RGB(1, 2, 3));
    surface.Draw(canvas.Dc());
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(1, 2, 3));
}

TEST(pcMemDC, DrawOfNoSizeCopiesTheWholeSurface) {
    pcMemDC surface;
    const HDC dc = surface.hdc(6, 4);
    ASSERT_NE(dc, nullptr);
    FillSurface(dc, {0, 0, 6, 4}, RGB(200, 100, 50));
    DibCanvas canvas(12, 10, RGB(0, 0, 255));

    surface.Draw(canvas.Dc(), 0, 0, 0, 0, 3, 4);
    EXPECT_EQ(canvas.Pixel(3, 4), RGB(200, 100, 50));
    EXPECT_EQ(canvas.Pixel(8, 7), RGB(200, 100, 50));
    EXPECT_EQ(canvas.Pixel(9, 7), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(8, 8), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(2, 4), RGB(0, 0, 255));
}

TEST(pcMemDC, DrawCopiesThePartAskedFor) {
    pcMemDC surface;
    const HDC dc = surface.hdc(6, 4);
    ASSERT_NE(dc, nullptr);
    FillSurface(dc, {0, 0, 6, 4}, RGB(10, 10, 10));
    FillSurface(dc, {4, 2, 6, 4}, RGB(250, 0, 0));
    DibCanvas canvas(6, 6, RGB(0, 0, 255));

    surface.Draw(canvas.Dc(), 4, 2, 2, 1);
    EXPECT_EQ(canvas.Render(0, 0, 3, 1, [](COLORREF c) { return c == RGB(250, 0, 0) ? 'r' : '.'; }), "rr..\n"
                                                                                                     "....\n");
}

TEST(pcMemDC, ReleasesItsSurfaceWhenRecreatedAndWhenDestroyed) {
    const auto cycle = [] {
        pcMemDC surface;
        surface.hdc(50, 10);
        surface.hdc(60, 10);
        surface.hdc(60, 20);
    };
    cycle();
    const int before = FreeGdiSlots();
    for (int i = 0; i < 5; ++i) {
        cycle();
    }
    EXPECT_EQ(FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls
