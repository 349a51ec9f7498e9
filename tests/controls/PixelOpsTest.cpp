#include "PixelOps.hpp"

#include "ColorMath.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace quarrow::controls {
namespace {

using Bgra = std::array<std::uint8_t, 4>;

// A width × height image, rows bottom-up, owning its bytes.
struct TestImage {
    TestImage(int width, int height)
        : bytes(static_cast<std::size_t>(width) * height * 4), width(width), height(height) {}
    BgraImage View() { return {bytes.data(), width, height}; }
    Bgra At(int x, int y) {
        const std::uint8_t* p = View().Pixel(x, y);
        return {p[0], p[1], p[2], p[3]};
    }
    void Set(int x, int y, Bgra value) {
        std::uint8_t* p = View().Pixel(x, y);
        std::copy(value.begin(), value.end(), p);
    }
    std::vector<std::uint8_t> bytes;
    int width;
    int height;
};

TEST(BgraImage, StoresRowsBottomUp) {
    TestImage image(3, 2);
    image.Set(1, 0, {1, 2, 3, 4});
    const std::size_t topRowStart = 3 * 4; // the top row is the second one in storage
    EXPECT_EQ(image.bytes[topRowStart + 4], 1);
    EXPECT_EQ(image.bytes[topRowStart + 7], 4);
    EXPECT_EQ(image.View().BytesPerScanLine(), 12u);
}

TEST(ModifyPixelsHLS, ScalesLuminanceAndSaturationWithACapAtOne) {
    std::vector<std::uint8_t> pixel{0, 0, 200, 77}; // blue, green, red, alpha
    ModifyPixelsHLS(pixel, 1.0, 0.0, 1.0);
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{0, 0, 0, 77}));

    pixel = {0, 0, 200, 77};
    ModifyPixelsHLS(pixel, 1.0, 1.0, 0.0); // no saturation: gray of luminance 100/255
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{100, 100, 100, 77}));

    pixel = {0, 0, 200, 77};
    ModifyPixelsHLS(pixel, 1.0, 50.0, 1.0); // luminance held to 1: white
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{255, 255, 255, 77}));

    pixel = {0, 0, 200, 77};
    ModifyPixelsHLS(pixel, 2.0, 1.0, 1.0); // red's hue is 0, so scaling it changes nothing
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{0, 0, 200, 77}));

    pixel = {0, 200, 0, 77};
    ModifyPixelsHLS(pixel, 2.0, 1.0, 1.0); // green (hue 2) becomes blue (hue 4)
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{200, 0, 0, 77}));

    pixel = {17, 99, 230, 77};
    ModifyPixelsHLS(pixel, 1.0, 1.0, 1.0);
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{17, 99, 230, 77}));
}

TEST(LightenPixels, RaisesOrLowersLuminanceByPercent) {
    std::vector<std::uint8_t> pixel{128, 0, 0, 9}; // navy: luminance 0.251
    LightenPixels(pixel, 0);
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{128, 0, 0, 9}));
    LightenPixels(pixel, 100); // luminance doubled to 0.502, hue and saturation kept
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{255, 1, 1, 9}));
    LightenPixels(pixel, -100);
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{0, 0, 0, 9}));
}

// Colours whose grey level, lightening or HLS change lies near a rounding boundary: with the x87
// unit's wider intermediates a 32-bit build rounds them the other way, and its greyed toolbar icons and
// tinted pictures would differ from what the painting tests check.
TEST(PixelArithmetic, RoundsAlikeInTheThirtyTwoAndSixtyFourBitBuilds) {
    const struct {
        std::uint8_t red, green, blue, gray;
        std::vector<std::uint8_t> lightened, tinted; // blue, green, red
    } cases[] = {{0, 45, 45, 31, {58, 58, 0}, {49, 49, 5}},
                 {0, 0, 5, 1, {6, 0, 0}, {5, 1, 1}},
                 {0, 0, 115, 13, {150, 0, 0}, {124, 14, 14}},
                 {0, 240, 95, 152, {135, 255, 57}, {126, 233, 55}},
                 {3, 237, 145, 157, {177, 253, 59}, {163, 231, 57}}};
    EXPECT_EQ(GrayLevel(0, 44, 14), 27);
    for (const auto& c : cases) {
        EXPECT_EQ(GrayLevel(c.red, c.green, c.blue), c.gray);
        std::vector<std::uint8_t> pixel{c.blue, c.green, c.red, 255};
        LightenPixels(pixel, 30);
        EXPECT_EQ(std::vector<std::uint8_t>(pixel.begin(), pixel.begin() + 3), c.lightened);
        pixel = {c.blue, c.green, c.red, 255};
        ModifyPixelsHLS(pixel, 1.0, 1.2, 0.8);
        EXPECT_EQ(std::vector<std::uint8_t>(pixel.begin(), pixel.begin() + 3), c.tinted);
    }
}

TEST(GrayPixels, ConvertsAllButTheKeptGrays) {
    std::vector<std::uint8_t> pixels{
        128, 128, 128, 1, // kept
        255, 255, 255, 2, // kept
        144, 144, 144, 3, // 0x90 is not kept
        0,   0,   255, 4, // red
        0,   255, 0,   5, // green
        255, 0,   0,   6, // blue
        250, 250, 250, 7, // above 255 before the cap
    };
    GrayPixels(pixels);
    EXPECT_EQ(pixels, (std::vector<std::uint8_t>{128, 128, 128, 1,   255, 255, 255, 2,  148, 148, 148, 3,   84,  84,
                                                 84,  4,   150, 150, 150, 5,   28,  28, 28,  6,   255, 255, 255, 7}));
}

TEST(RandomisePixels, ChannelsArePremultipliedByARandomAlpha) {
    std::mt19937 generator(12345);
    for (const bool gray : {false, true}) {
        std::vector<std::uint8_t> pixels(4 * 500);
        RandomisePixels(pixels, gray, generator);
        int distinctAlphas = 0;
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            ASSERT_LE(pixels[i + kBlue], pixels[i + kAlpha]);
            ASSERT_LE(pixels[i + kGreen], pixels[i + kAlpha]);
            ASSERT_LE(pixels[i + kRed], pixels[i + kAlpha]);
            if (gray) {
                ASSERT_EQ(pixels[i + kBlue], pixels[i + kRed]);
                ASSERT_EQ(pixels[i + kGreen], pixels[i + kRed]);
            }
            distinctAlphas += i > 0 && pixels[i + kAlpha] != pixels[i - 4 + kAlpha];
        }
        EXPECT_GT(distinctAlphas, 400) << "alpha must vary from pixel to pixel";
    }
}

TEST(ResamplePixels, InterpolatesBetweenPixelCentres) {
    TestImage from(2, 1);
    from.Set(0, 0, {0, 0, 0, 0});
    from.Set(1, 0, {255, 255, 255, 255});
    TestImage to(4, 1);
    ResamplePixels(from.View(), to.View());
    EXPECT_EQ(to.At(0, 0)[0], 0);
    EXPECT_EQ(to.At(1, 0)[0], 64);  // 63.75
    EXPECT_EQ(to.At(2, 0)[0], 191); // 191.25
    EXPECT_EQ(to.At(3, 0)[3], 255);

    TestImage wide(4, 1);
    const std::uint8_t levels[] = {0, 100, 200, 255};
    for (int x = 0; x < 4; ++x) {
        wide.Set(x, 0, {levels[x], 0, 0, 0});
    }
    TestImage narrow(2, 1);
    ResamplePixels(wide.View(), narrow.View());
    EXPECT_EQ(narrow.At(0, 0)[0], 50);
    EXPECT_EQ(narrow.At(1, 0)[0], 228) << "227.5 rounds to the even 228";
}

TEST(ResamplePixels, KeepsTopAndBottomInPlace) {
    TestImage from(1, 2);
    from.Set(0, 0, {10, 20, 30, 40});    // top
    from.Set(0, 1, {90, 100, 110, 120}); // bottom
    TestImage to(1, 4);
    ResamplePixels(from.View(), to.View());
    EXPECT_EQ(to.At(0, 0), (Bgra{10, 20, 30, 40}));
    EXPECT_EQ(to.At(0, 3), (Bgra{90, 100, 110, 120}));
    EXPECT_EQ(to.At(0, 1), (Bgra{30, 40, 50, 60}));
}

TEST(AlphaBlendPixels, BlendsSourceOverDestination) {
    TestImage source(2, 1);
    source.Set(0, 0, {0, 0, 0, 0});         // fully transparent
    source.Set(1, 0, {100, 100, 100, 255}); // opaque
    TestImage destination(2, 1);
    destination.Set(0, 0, {200, 200, 200, 200});
    destination.Set(1, 0, {200, 200, 200, 200});

    AlphaBlendPixels(source.View(), destination.View(), 255);
    EXPECT_EQ(destination.At(0, 0), (Bgra{200, 200, 200, 200}));
    EXPECT_EQ(destination.At(1, 0), (Bgra{100, 100, 100, 255}));

    destination.Set(1, 0, {200, 200, 200, 200});
    AlphaBlendPixels(source.View(), destination.View(), 128); // 100 × 0.502 + 200 × 0.498 = 149.8
    EXPECT_EQ(destination.At(1, 0), (Bgra{150, 150, 150, 228}));

    AlphaBlendPixels(source.View(), destination.View(), 0);
    EXPECT_EQ(destination.At(1, 0), (Bgra{150, 150, 150, 228}));
}

TEST(AlphaBlendPixels, CoversTheCommonAreaFromTheTopLeft) {
    TestImage source(1, 1);
    source.Set(0, 0, {9, 9, 9, 255});
    TestImage destination(2, 2);
    AlphaBlendPixels(source.View(), destination.View(), 255);
    EXPECT_EQ(destination.At(0, 0), (Bgra{9, 9, 9, 255}));
    EXPECT_EQ(destination.At(0, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(destination.At(1, 0), (Bgra{0, 0, 0, 0}));
}

} // namespace
} // namespace quarrow::controls
