#include "pcDibSection.hpp"

#include "DibCanvas.hpp"
#include "GdiProbe.hpp"
#include "Picture.hpp"
#include "RaisedError.hpp"
#include "SurfaceTestSupport.hpp"
#include "SystemErrorText.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace quarrow::controls {
namespace {

using testing::DibCanvas;
using testing::FreeGdiSlots;
using testing::ReadFileBytes;
using testing::ScreenBitmap;
using testing::TempDir;
using Bgra = std::array<std::uint8_t, 4>;

Bgra PixelOf(const pcDibSection& surface, int x, int y) {
    GdiFlush();
    const std::uint8_t* p = surface.Pixels().Pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

void SetPixelOf(pcDibSection& surface, int x, int y, Bgra value) {
    GdiFlush();
    std::copy(value.begin(), value.end(), surface.Pixels().Pixel(x, y));
}

COLORREF ColourAt(int x, int y) { return RGB(x * 40, y * 60, 255 - x * 10); }

TEST(pcDibSection, CreateMakesABottomUp32BitSurfaceWithItsOwnContext) {
    pcDibSection surface;
    EXPECT_EQ(surface.hdc(), nullptr);
    ASSERT_TRUE(surface.Create(3, 2));
    EXPECT_EQ(surface.Width(), 3);
    EXPECT_EQ(surface.Height(), 2);
    EXPECT_EQ(surface.BytesPerScanLine(), 12);
    ASSERT_NE(surface.hdc(), nullptr);
    EXPECT_EQ(GetCurrentObject(surface.hdc(), OBJ_BITMAP), surface.hDib());

    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(surface.hDib(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBmih.biHeight, 2) << "positive: rows bottom-up";
    EXPECT_EQ(dib.dsBmih.biBitCount, 32);
    EXPECT_EQ(dib.dsBmih.biSizeImage, 24u);
    EXPECT_EQ(dib.dsBm.bmBits, surface.DIBSectionBitsPtr());

    SetPixel(surface.hdc(), 1, 0, RGB(255, 128, 7));
    GdiFlush();
    const auto* bytes = static_cast<const std::uint8_t*>(surface.DIBSectionBitsPtr());
    EXPECT_EQ(bytes[12 + 4 + 0], 7) << "the top row is stored last; blue comes first";
    EXPECT_EQ(bytes[12 + 4 + 1], 128);
    EXPECT_EQ(bytes[12 + 4 + 2], 255);
    EXPECT_EQ(bytes[4 + 2], 0);
}

TEST(pcDibSection, CreateRefusesSizesItCannotHoldAndLeavesNothing) {
    pcDibSection surface;
    const struct { int width, height; } refused[] = {{0, 4}, {4, 0}, {-1, 3}, {3, -1}, {70000, 70000}};
    for (const auto& size : refused) {
        ASSERT_TRUE(surface.Create(4, 4));
        EXPECT_FALSE(surface.Create(size.width, size.height)) << size.width << " x " << size.height;
        EXPECT_EQ(surface.hdc(), nullptr);
        EXPECT_EQ(surface.hDib(), nullptr);
        EXPECT_EQ(surface.DIBSectionBitsPtr(), nullptr);
        EXPECT_EQ(surface.Width(), 0);
        EXPECT_EQ(surface.Height(), 0);
    }
}

TEST(pcDibSection, UseDrawDibOpensAndClosesAndSurvivesCreate) {
    pcDibSection surface;
    EXPECT_FALSE(surface.UseDrawDib());
    surface.UseDrawDib(true);
    ASSERT_TRUE(surface.UseDrawDib()) << "the system's DrawDib engine should be available";
    ASSERT_TRUE(surface.Create(2, 2));
    EXPECT_TRUE(surface.UseDrawDib());
    surface.UseDrawDib(false);
    EXPECT_FALSE(surface.UseDrawDib());
    surface.UseDrawDib(true);
    surface.ClearUp();
    EXPECT_FALSE(surface.UseDrawDib());
}

TEST(pcDibSection, CreateFromHBitmapCopiesTheBitmap) {
    const win32::UniqueBitmap bitmap = ScreenBitmap(5, 3, ColourAt);
    pcDibSection surface;
    ASSERT_TRUE(surface.CreateFromHBitmap(bitmap.Get()));
    EXPECT_EQ(surface.Width(), 5);
    EXPECT_EQ(surface.Height(), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const Bgra pixel = PixelOf(surface, x, y);
            EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), ColourAt(x, y)) << x << ',' << y;
        }
    }
}

TEST(pcDibSection, CreateFromHBitmapLeavesTheSurfaceAloneForWhatIsNotABitmap) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(2, 2));
    const HDC before = surface.hdc();
    const win32::UniquePen pen(CreatePen(PS_SOLID, 1, 0));
    EXPECT_FALSE(surface.CreateFromHBitmap(nullptr));
    EXPECT_FALSE(surface.CreateFromHBitmap(reinterpret_cast<HBITMAP>(pen.Get())));
    EXPECT_FALSE(surface.CreateFromPicture(Picture()));
    EXPECT_EQ(surface.hdc(), before);
    EXPECT_EQ(surface.Width(), 2);
}

TEST(pcDibSection, CreateFromPictureTakesBitmapsAndIcons) {
    pcDibSection surface;
    ASSERT_TRUE(surface.CreateFromPicture(Picture::FromBitmap(ScreenBitmap(4, 2, ColourAt))));
    EXPECT_EQ(surface.Width(), 4);
    const Bgra corner = PixelOf(surface, 3, 1);
    EXPECT_EQ(RGB(corner[2], corner[1], corner[0]), ColourAt(3, 1));

    const Picture icon = Picture::FromIcon(testing::MaskedIcon(
        16, 16, [](int, int) { return RGB(0, 200, 0); }, [](int x, int) { return x < 4; }));
    ASSERT_TRUE(surface.CreateFromPicture(icon));
    EXPECT_EQ(surface.Width(), 16);
    EXPECT_EQ(surface.Height(), 16);
    EXPECT_EQ(PixelOf(surface, 3, 15)[1], 200);
    EXPECT_EQ(PixelOf(surface, 4, 15)[1], 0) << "the masked part stays clear";
}

TEST(pcDibSection, LoadPictureBltCopiesFromTheSourcePoint) {
    DibCanvas canvas(6, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            SetPixel(canvas.Dc(), x, y, ColourAt(x, y));
        }
    }
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(2, 2));
    surface.LoadPictureBlt(canvas.Dc(), 1, 3);
    const Bgra pixel = PixelOf(surface, 1, 1);
    EXPECT_EQ(RGB(pixel[2], pixel[1], pixel[0]), ColourAt(2, 4));

    surface.Clear();
    surface.LoadPictureBlt(canvas.Dc(), 0, 0, 1, 1);
    EXPECT_EQ(PixelOf(surface, 1, 1), (Bgra{0, 0, 0, 0})) << "only one pixel asked for";
    EXPECT_NE(PixelOf(surface, 0, 0), (Bgra{0, 0, 0, 0}));
}

TEST(pcDibSection, PaintPictureCopiesByBlockAndThroughDrawDibAlike) {
    for (const bool drawDib : {false, true}) {
        pcDibSection surface;
        surface.UseDrawDib(drawDib);
        ASSERT_TRUE(surface.Create(3, 2));
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                SetPixelOf(surface, x, y,
                           {static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(100 + y), 7, 0});
            }
        }
        DibCanvas canvas(8, 8, RGB(255, 255, 255));
        surface.PaintPicture(canvas.Dc(), 4, 5);
        EXPECT_EQ(canvas.Pixel(4, 5), RGB(7, 100, 0)) << "DrawDib " << drawDib;
        EXPECT_EQ(canvas.Pixel(6, 6), RGB(7, 101, 20)) << "DrawDib " << drawDib;
        EXPECT_EQ(canvas.Pixel(7, 6), RGB(255, 255, 255)) << "DrawDib " << drawDib;
        EXPECT_EQ(canvas.Pixel(4, 7), RGB(255, 255, 255)) << "DrawDib " << drawDib;

        surface.PaintPicture(canvas.Dc(), 0, 0, 1, 1, 2, 1);
        EXPECT_EQ(canvas.Pixel(0, 0), RGB(7, 101, 20)) << "DrawDib " << drawDib;
        EXPECT_EQ(canvas.Pixel(1, 0), RGB(255, 255, 255)) << "DrawDib " << drawDib;
    }
}

TEST(pcDibSection, AlphaPaintPictureBlendsPremultipliedPixels) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(3, 1));
    SetPixelOf(surface, 0, 0, {0, 0, 0, 0});     // transparent
    SetPixelOf(surface, 1, 0, {0, 0, 255, 255}); // opaque red
    SetPixelOf(surface, 2, 0, {0, 0, 128, 128}); // half red
    DibCanvas canvas(3, 1, RGB(0, 0, 255));
    surface.AlphaPaintPicture(canvas.Dc(), 0, 0, -1, -1, 0, 0, 0);
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(0, 0, 255)) << "constant alpha 0 leaves the destination";
    surface.AlphaPaintPicture(canvas.Dc());
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(1, 0), RGB(255, 0, 0));
    const COLORREF half = canvas.Pixel(2, 0);
    EXPECT_NEAR(GetRValue(half), 128, 1);
    EXPECT_NEAR(GetBValue(half), 127, 1);
}

TEST(pcDibSection, SavePictureWritesHeadersAndPixelsAsStored) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(2, 2));
    SetPixelOf(surface, 0, 0, {1, 2, 3, 4});
    SetPixelOf(surface, 1, 0, {5, 6, 7, 8});
    SetPixelOf(surface, 0, 1, {9, 10, 11, 12});
    SetPixelOf(surface, 1, 1, {13, 14, 15, 16});
    const TempDir dir;
    const auto path = dir / "surface.bmp";
    testing::WriteFileText(path, std::string(500, 'x')); // replaced, not overwritten in part
    ASSERT_TRUE(surface.SavePicture(path.wstring()));

    const std::vector<std::uint8_t> expected{
        'B', 'M', 74, 0,  0,  0,  0,  0,  0, 0, 58, 0, 0, 0,                    // file header
        40,  0,   0,  0,  2,  0,  0,  0,  2, 0, 0,  0, 1, 0, 32, 0, 0, 0, 0, 0, // information header
        16,  0,   0,  0,  0,  0,  0,  0,  0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, //
        0,   0,   0,  0,                                                        // colour entry
        9,   10,  11, 12, 13, 14, 15, 16, 1, 2, 3,  4, 5, 6, 7,  8,             // bottom row first
    };
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(pcDibSection, SavePictureRaisesError17WhenTheFileCannotBeCreated) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(2, 2));
    const TempDir dir;
    const auto path = dir / "no such folder" / "surface.bmp";
    try {
        surface.SavePicture(path.wstring());
        FAIL() << "no error raised";
    } catch (const win32::RaisedError& error) {
        EXPECT_EQ(error.Number(), 17);
        EXPECT_EQ(error.Source(), L"controls_tests.cDIBSection");
        EXPECT_EQ(error.Description(), SystemErrorText(ERROR_PATH_NOT_FOUND));
        EXPECT_FALSE(error.Description().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(pcDibSection, SavePictureOfNoSurfaceTouchesNoFile) {
    pcDibSection surface;
    const TempDir dir;
    const auto path = dir / "keep.bmp";
    testing::WriteFileText(path, "keep");
    EXPECT_FALSE(surface.SavePicture(path.wstring()));
    EXPECT_EQ(ReadFileBytes(path), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
}

TEST(pcDibSection, ModifyHLSWithFactorsOfOneKeepsEveryPixel) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(16, 16));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            SetPixelOf(surface, x, y,
                       {static_cast<std::uint8_t>(x * 17), static_cast<std::uint8_t>(y * 16 + 3),
                        static_cast<std::uint8_t>((x * y * 7) & 0xFF), static_cast<std::uint8_t>(x + y)});
        }
    }
    const std::vector<std::uint8_t> before(surface.Pixels().Bytes().begin(), surface.Pixels().Bytes().end());
    surface.ModifyHLS(1.0, 1.0, 1.0);
    const auto after = surface.Pixels().Bytes();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_LE(std::abs(after[i] - before[i]), (i % 4 == 3) ? 0 : 1) << "byte " << i;
    }

    surface.ModifyHLS(1.0, 0.0, 1.0);
    EXPECT_EQ(PixelOf(surface, 5, 5), (Bgra{0, 0, 0, 10})) << "no luminance: black, alpha kept";
}

TEST(pcDibSection, LightenRaisesLuminance) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(1, 1));
    SetPixelOf(surface, 0, 0, {128, 0, 0, 0});
    surface.Lighten(100);
    EXPECT_EQ(PixelOf(surface, 0, 0), (Bgra{255, 1, 1, 0}));
}

TEST(pcDibSection, ResampleMakesANewSurface) {
    pcDibSection surface;
    ASSERT_TRUE(surface.Create(2, 1));
    SetPixelOf(surface, 0, 0, {0, 0, 0, 0});
    SetPixelOf(surface, 1, 0, {255, 255, 255, 255});

    const auto same = surface.Resample(1, 2);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(PixelOf(*same, 1, 0), (Bgra{255, 255, 255, 255}));

    const auto wider = surface.Resample(2, 4); // height 2, width 4
    ASSERT_NE(wider, nullptr);
    EXPECT_EQ(wider->Width(), 4);
    EXPECT_EQ(wider->Height(), 2);
    EXPECT_EQ(PixelOf(*wider, 1, 1), (Bgra{64, 64, 64, 64}));
    EXPECT_EQ(PixelOf(*wider, 3, 0), (Bgra{255, 255, 255, 255}));

    EXPECT_EQ(surface.Resample(0, 4), nullptr);
}

TEST(pcDibSection, ClearRandomiseAndCodeAlphaBlendWorkOnEveryPixel) {
    pcDibSection destination;
    ASSERT_TRUE(destination.Create(8, 8));
    destination.RandomiseBits(false);
    const std::vector<std::uint8_t> first(destination.Pixels().Bytes().begin(), destination.Pixels().Bytes().end());
    destination.RandomiseBits(true);
    const auto bytes = destination.Pixels().Bytes();
    EXPECT_FALSE(std::equal(first.begin(), first.end(), bytes.begin())) << "each call draws afresh";
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        EXPECT_EQ(bytes[i], bytes[i + 2]);
        EXPECT_LE(bytes[i], bytes[i + 3]);
    }

    destination.Clear();
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; }));

    pcDibSection source;
    ASSERT_TRUE(source.Create(2, 2));
    SetPixelOf(source, 1, 1, {10, 20, 30, 255});
    pcDibSection::CodeAlphaBlend(source, destination, 255);
    EXPECT_EQ(PixelOf(destination, 1, 1), (Bgra{10, 20, 30, 255}));
    EXPECT_EQ(PixelOf(destination, 2, 2), (Bgra{0, 0, 0, 0}));
}

TEST(pcDibSection, ReleasesEverythingItObtains) {
    const win32::UniqueBitmap bitmap = ScreenBitmap(8, 8, ColourAt);
    const TempDir dir;
    DibCanvas canvas(16, 16);
    const auto lifecycle = [&] {
        pcDibSection surface;
        surface.UseDrawDib(true);
        surface.Create(10, 10);
        surface.CreateFromHBitmap(bitmap.Get());
        surface.PaintPicture(canvas.Dc());
        surface.UseDrawDib(false);
        surface.PaintPicture(canvas.Dc());
        surface.AlphaPaintPicture(canvas.Dc());
        surface.SavePicture((dir / "leak.bmp").wstring());
        surface.Resample(4, 4);
        surface.UseDrawDib(true);
    };
    lifecycle();
    const int before = FreeGdiSlots();
    for (int i = 0; i < 5; ++i) {
        lifecycle();
    }
    EXPECT_EQ(FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls
