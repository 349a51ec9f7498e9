#include "Picture.hpp"

#include "DibCanvas.hpp"
#include "SurfaceTestSupport.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

using testing::DibCanvas;
using testing::MaskedIcon;
using testing::ScreenBitmap;

TEST(Picture, KnowsItsKindAndSize) {
    const Picture empty;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty.Kind(), Picture::Type::None);
    EXPECT_EQ(empty.Handle(), nullptr);

    const Picture bitmap = Picture::FromBitmap(ScreenBitmap(5, 3, [](int, int) { return RGB(1, 2, 3); }));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap.Kind(), Picture::Type::Bitmap);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Handle(), bitmap.Bitmap());
    EXPECT_EQ(bitmap.Icon(), nullptr);

    const Picture icon = Picture::FromIcon(MaskedIcon(
        16, 16, [](int, int) { return RGB(9, 9, 9); }, [](int, int) { return true; }));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon.Kind(), Picture::Type::Icon);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    EXPECT_EQ(icon.Handle(), icon.Icon());
}

TEST(Picture, HandlesThatAreNoPictureGiveTheEmptyOne) {
    EXPECT_FALSE(Picture::FromBitmap(win32::UniqueBitmap()));
    EXPECT_FALSE(Picture::FromIcon(win32::UniqueIcon()));
    EXPECT_FALSE(Picture::FromBitmap(win32::UniqueBitmap(reinterpret_cast<HBITMAP>(CreatePen(PS_SOLID, 1, 0)))));
}

TEST(Picture, CopiesShareTheHandleUntilTheLastOneEnds) {
    HBITMAP raw = nullptr;
    {
        Picture copy;
        {
            const Picture original = Picture::FromBitmap(ScreenBitmap(2, 2, [](int, int) { return 0; }));
            raw = original.Bitmap();
            copy = original;
        }
        EXPECT_EQ(copy.Bitmap(), raw);
        EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(raw), 0u);
}

TEST(Picture, DrawScalesBitmapsAndMasksIcons) {
    DibCanvas canvas(10, 10, RGB(0, 0, 255));
    const Picture bitmap =
        Picture::FromBitmap(ScreenBitmap(2, 2, [](int x, int y) { return x == 1 && y == 1 ? RGB(255, 0, 0) : 0; }));
    ASSERT_TRUE(bitmap.Draw(canvas.Dc(), 1, 1, 4, 4));
    EXPECT_EQ(canvas.Pixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(4, 4), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(0, 0, 255));

    const Picture icon = Picture::FromIcon(MaskedIcon(
        4, 4, [](int, int) { return RGB(0, 255, 0); }, [](int x, int) { return x < 2; }));
    canvas.Fill(RGB(0, 0, 255));
    ASSERT_TRUE(icon.Draw(canvas.Dc(), 0, 0, 4, 4));
    EXPECT_EQ(canvas.Pixel(1, 3), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(2, 3), RGB(0, 0, 255));

    EXPECT_FALSE(Picture().Draw(canvas.Dc(), 0, 0, 4, 4));
}

} // namespace
} // namespace quarrow::controls
