#include "ModGrayScale.hpp"

#include "ColorMath.hpp"

#include "DibCanvas.hpp"
#include "GdiProbe.hpp"
#include "Handles.hpp"
#include "SurfaceTestSupport.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

using testing::DibCanvas;
using testing::FreeGdiSlots;
using testing::MaskedIcon;
using testing::ScreenBitmap;
using win32::SelectedObject;
using win32::UniqueBitmap;
using win32::UniqueDC;
using win32::UniqueIcon;

constexpr COLORREF kBackground = RGB(0, 0, 255);

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    const UniqueDC dc = win32::CreateMemoryDC();
    const SelectedObject selected(dc.Get(), bitmap);
    return GetPixel(dc.Get(), x, y);
}

// The test icon, 16 × 16: columns 0 to 7 are opaque in four bands of four rows (red, green, the kept
// gray 0x80 and the gray 0x90 that is not kept); columns 8 to 15 are transparent.
COLORREF IconColour(int, int y) {
    const COLORREF bands[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(128, 128, 128), RGB(144, 144, 144)};
    return bands[y / 4];
}

UniqueIcon TestIcon() {
    return MaskedIcon(16, 16, IconColour, [](int x, int) { return x < 8; });
}

TEST(GrayBitmap, ConvertsTheBitmapInPlaceAndCopiesIt) {
    const COLORREF colours[] = {RGB(128, 128, 128), RGB(255, 255, 255), RGB(144, 144, 144), RGB(255, 0, 0),
                                RGB(0, 255, 0),     RGB(0, 0, 255),     RGB(250, 250, 250), RGB(0, 0, 0)};
    const COLORREF grays[] = {RGB(128, 128, 128), RGB(255, 255, 255), RGB(148, 148, 148), RGB(84, 84, 84),
                              RGB(150, 150, 150), RGB(28, 28, 28),    RGB(255, 255, 255), RGB(0, 0, 0)};
    const UniqueBitmap bitmap = ScreenBitmap(8, 2, [&](int x, int) { return colours[x]; });
    DibCanvas canvas(12, 6, RGB(1, 2, 3));

    ASSERT_TRUE(GrayBitmap(canvas.Dc(), bitmap.Get(), 2, 3, 0, 0));
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(BitmapPixel(bitmap.Get(), x, 1), grays[x]) << "bitmap column " << x;
        EXPECT_EQ(canvas.Pixel(2 + x, 3), grays[x]) << "copied column " << x;
        EXPECT_EQ(canvas.Pixel(2 + x, 4), grays[x]) << "copied column " << x;
    }
    EXPECT_EQ(canvas.Pixel(1, 3), RGB(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(2, 5), RGB(1, 2, 3));
}

TEST(GrayBitmap, GivesThePixelsThatConvertingOneAtATimeGives) {
    const auto colourAt = [](int x, int y) {
        const unsigned n = static_cast<unsigned>(y * 64 + x) * 2654435761u; // spread over the colour cube
        return RGB(n >> 8 & 0xFF, n >> 16 & 0xFF, n >> 24 & 0xFF);
    };
    const UniqueBitmap converted = ScreenBitmap(64, 64, colourAt);
    const UniqueBitmap reference = ScreenBitmap(64, 64, colourAt);
    DibCanvas canvas(64, 64);
    ASSERT_TRUE(GrayBitmap(canvas.Dc(), converted.Get(), 0, 0, 0, 0));

    const UniqueDC dc = win32::CreateMemoryDC();
    const SelectedObject selected(dc.Get(), reference.Get());
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            const COLORREF c = GetPixel(dc.Get(), x, y);
            if (!IsKeptGray(GetRValue(c), GetGValue(c), GetBValue(c))) {
                const BYTE g = GrayLevel(GetRValue(c), GetGValue(c), GetBValue(c));
                SetPixel(dc.Get(), x, y, RGB(g, g, g));
            }
        }
    }
    for (int x = 0; x < 64; ++x) {
        for (int y = 0; y < 64; ++y) {
            ASSERT_EQ(canvas.Pixel(x, y), GetPixel(dc.Get(), x, y)) << x << ',' << y;
        }
    }
}

TEST(GrayBitmap, CopiesFromTheSourcePoint) {
    const UniqueBitmap bitmap = ScreenBitmap(4, 1, [](int x, int) { return RGB(0, 0, x * 60); });
    DibCanvas canvas(6, 2, RGB(1, 2, 3));
    ASSERT_TRUE(GrayBitmap(canvas.Dc(), bitmap.Get(), 0, 0, 2, 0));
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(13, 13, 13)) << "column 2: blue 120 × 0.11 = 13.2";
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(20, 20, 20)) << "column 3: blue 180 × 0.11 = 19.8";
}

TEST(GrayBitmap, RefusesWhatItCannotConvert) {
    DibCanvas canvas(4, 4);
    const UniqueBitmap bitmap = ScreenBitmap(2, 2, [](int, int) { return RGB(255, 0, 0); });
    const win32::UniquePen pen(CreatePen(PS_SOLID, 1, 0));
    EXPECT_FALSE(GrayBitmap(nullptr, bitmap.Get(), 0, 0, 0, 0));
    EXPECT_FALSE(GrayBitmap(canvas.Dc(), nullptr, 0, 0, 0, 0));
    EXPECT_FALSE(GrayBitmap(canvas.Dc(), reinterpret_cast<HBITMAP>(pen.Get()), 0, 0, 0, 0));

    const UniqueDC holder = win32::CreateMemoryDC();
    const SelectedObject held(holder.Get(), bitmap.Get());
    EXPECT_FALSE(GrayBitmap(canvas.Dc(), bitmap.Get(), 0, 0, 0, 0)) << "selected into another context";
    EXPECT_EQ(GetPixel(holder.Get(), 1, 1), RGB(255, 0, 0));
}

TEST(DrawGrayIcon, KeepsTheMaskAndGraysTheColours) {
    const UniqueIcon icon = TestIcon();
    ASSERT_TRUE(icon);
    DibCanvas canvas(20, 20, kBackground);
    ASSERT_TRUE(DrawGrayIcon(canvas.Dc(), icon.Get(), 2, 2, 16, 16));
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(84, 84, 84));
    EXPECT_EQ(canvas.Pixel(9, 6), RGB(150, 150, 150));
    EXPECT_EQ(canvas.Pixel(5, 10), RGB(128, 128, 128));
    EXPECT_EQ(canvas.Pixel(2, 17), RGB(148, 148, 148));
    EXPECT_EQ(canvas.Pixel(10, 2), kBackground) << "transparent part";
    EXPECT_EQ(canvas.Pixel(17, 17), kBackground) << "transparent part";
    EXPECT_EQ(canvas.Pixel(1, 1), kBackground);

    // The icon handed in keeps its colours.
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 2, 2, icon.Get(), 16, 16, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(255, 0, 0));
}

TEST(DrawGrayIcon, DrawsAtTheGivenHeightAndWidth) {
    const UniqueIcon icon = TestIcon();
    DibCanvas canvas(40, 40, kBackground);
    ASSERT_TRUE(DrawGrayIcon(canvas.Dc(), icon.Get(), 0, 4, 16, 32)); // height 16, width 32
    EXPECT_EQ(canvas.Pixel(15, 4), RGB(84, 84, 84)) << "the opaque half now spans columns 0 to 15";
    EXPECT_EQ(canvas.Pixel(16, 4), kBackground);
    EXPECT_EQ(canvas.Pixel(0, 19), RGB(148, 148, 148));
    EXPECT_EQ(canvas.Pixel(0, 20), kBackground);
}

TEST(DrawGrayIcon, DrawsNothingForWhatIsNotAColourIcon) {
    DibCanvas canvas(20, 20, kBackground);
    const UniqueIcon icon = TestIcon();
    const UniqueBitmap bitmap = ScreenBitmap(16, 16, [](int, int) { return RGB(255, 0, 0); });
    EXPECT_FALSE(DrawGrayIcon(nullptr, icon.Get(), 0, 0, 16, 16));
    EXPECT_FALSE(DrawGrayIcon(canvas.Dc(), nullptr, 0, 0, 16, 16));
    EXPECT_FALSE(DrawGrayIcon(canvas.Dc(), reinterpret_cast<HICON>(bitmap.Get()), 0, 0, 16, 16));

    const BYTE andBits[32] = {}; // a monochrome icon has no colour bitmap to gray
    BYTE xorBits[32];
    std::fill(std::begin(xorBits), std::end(xorBits), BYTE{0xFF});
    const UniqueIcon monochrome(CreateIcon(nullptr, 16, 16, 1, 1, andBits, xorBits));
    ASSERT_TRUE(monochrome);
    EXPECT_FALSE(DrawGrayIcon(canvas.Dc(), monochrome.Get(), 0, 0, 16, 16));
    EXPECT_EQ(canvas.Pixel(0, 0), kBackground);
}

TEST(ModGrayScale, ReleasesEveryObjectItObtains) {
    const UniqueIcon icon = TestIcon();
    const UniqueBitmap bitmap = ScreenBitmap(16, 16, IconColour);
    DibCanvas canvas(20, 20, kBackground);
    const auto paintAll = [&] {
        DrawGrayIcon(canvas.Dc(), icon.Get(), 0, 0, 16, 16);
        GrayBitmap(canvas.Dc(), bitmap.Get(), 0, 0, 0, 0);
    };
    paintAll();
    const int before = FreeGdiSlots();
    for (int i = 0; i < 5; ++i) {
        paintAll();
    }
    EXPECT_EQ(FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls
