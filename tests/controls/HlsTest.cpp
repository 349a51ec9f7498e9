#include "Hls.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quarrow::controls {
namespace {

TEST(RGBToHLS, HueCountsSextantsFromRed) {
    const struct {
        Rgb rgb;
        float hue, luminance, saturation;
    } cases[] = {
        {{255, 0, 0}, 0.0f, 0.5f, 1.0f},
        {{0, 255, 0}, 2.0f, 0.5f, 1.0f},
        {{0, 0, 255}, 4.0f, 0.5f, 1.0f},
        {{255, 255, 0}, 1.0f, 0.5f, 1.0f},
        {{0, 255, 255}, 3.0f, 0.5f, 1.0f},
        {{255, 0, 255}, -1.0f, 0.5f, 1.0f},
        {{255, 255, 255}, 0.0f, 1.0f, 0.0f},
        {{0, 0, 0}, 0.0f, 0.0f, 0.0f},
        // Saturation uses the light formula above one half: (1 − 0.6) / (2 − 1 − 0.6) = 1.
        {{255, 153, 153}, 0.0f, 0.8f, 1.0f},
    };
    for (const auto& c : cases) {
        const Hls hls = RGBToHLS(c.rgb.Red, c.rgb.Green, c.rgb.Blue);
        EXPECT_NEAR(hls.Hue, c.hue, 1e-6) << int(c.rgb.Red) << ',' << int(c.rgb.Green) << ',' << int(c.rgb.Blue);
        EXPECT_NEAR(hls.Luminance, c.luminance, 1e-6);
        EXPECT_NEAR(hls.Saturation, c.saturation, 1e-6);
    }
}

TEST(RGBToHLS, RedWinsATieForTheMaximum) {
    // Red and blue both at the maximum: the red formula gives (G − B) / Δ = −1.
    EXPECT_FLOAT_EQ(RGBToHLS(200, 100, 200).Hue, -1.0f);
    // Green and blue at the maximum: the green formula gives 2 + (B − R) / Δ = 3.
    EXPECT_FLOAT_EQ(RGBToHLS(0, 200, 200).Hue, 3.0f);
}

TEST(HLSToRGB, ConvertsBackEveryColourWithinRounding) {
    long long exact = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const Rgb rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
                const Hls hls = RGBToHLS(rgb.Red, rgb.Green, rgb.Blue);
                const Rgb back = HLSToRGB(hls.Hue, hls.Saturation, hls.Luminance);
                ASSERT_LE(std::abs(back.Red - r), 1) << r << ',' << g << ',' << b;
                ASSERT_LE(std::abs(back.Green - g), 1) << r << ',' << g << ',' << b;
                ASSERT_LE(std::abs(back.Blue - b), 1) << r << ',' << g << ',' << b;
                exact += back == rgb;
            }
        }
    }
    EXPECT_GT(exact, 256LL * 256 * 256 * 99 / 100) << "almost every colour should come back exactly";
}

TEST(HLSToRGB, GrayOfHalfLuminanceRoundsToEven) { EXPECT_EQ(HLSToRGB(0.0f, 0.0f, 0.5f), (Rgb{128, 128, 128})); }

TEST(HLSToRGB, ValuesOutsideTheRangesStillGiveAColour) {
    // Hue 10 is far past 5: red runs over 1 and is held to 255.
    EXPECT_EQ(HLSToRGB(10.0f, 1.0f, 0.5f), (Rgb{255, 0, 255}));
    EXPECT_EQ(HLSToRGB(-7.0f, 1.0f, 0.5f), (Rgb{255, 0, 255}));
    EXPECT_EQ(HLSToRGB(0.0f, 0.0f, -0.3f), (Rgb{0, 0, 0}));
    EXPECT_EQ(HLSToRGB(std::numeric_limits<float>::quiet_NaN(), 1.0f, 0.5f).Green, 0);
}

} // namespace
} // namespace quarrow::controls
