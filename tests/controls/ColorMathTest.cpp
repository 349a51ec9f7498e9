#include "ColorMath.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quarrow::controls {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    const struct {
        double value;
        double rounded;
    } cases[] = {{0.5, 0.0},   {1.5, 2.0},    {2.5, 2.0},       {127.5, 128.0}, {-0.5, 0.0},   {-1.5, -2.0},
                 {-2.5, -2.0}, {2.4999, 2.0}, {2.5000001, 3.0}, {3.0, 3.0},     {-2.51, -3.0}, {1e15 + 0.5, 1e15}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.rounded) << c.value;
    }
}

TEST(RoundHalfEven, ChannelBytesAreHeldToTheByteRange) {
    EXPECT_EQ(ChannelByte(254.5), 254);
    EXPECT_EQ(ChannelByte(255.5), 255);
    EXPECT_EQ(ChannelByte(300.0), 255);
    EXPECT_EQ(ChannelByte(-0.5), 0);
    EXPECT_EQ(ChannelByte(-40.0), 0);
    EXPECT_EQ(ChannelByte(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ChannelByte(std::numeric_limits<double>::infinity()), 255);
}

TEST(MixColors, AveragesEachChannelWithHalvesToEven) {
    EXPECT_EQ(MixColors(RgbColor(255, 255, 255), RgbColor(0, 0, 0)), RgbColor(128, 128, 128));
    EXPECT_EQ(MixColors(RgbColor(1, 1, 1), RgbColor(0, 0, 0)), RgbColor(0, 0, 0));
    EXPECT_EQ(MixColors(RgbColor(255, 0, 3), RgbColor(0, 255, 0)), RgbColor(128, 128, 2));
    EXPECT_EQ(MixColors(RgbColor(221, 236, 254), RgbColor(255, 255, 255)), RgbColor(238, 246, 254));
    EXPECT_EQ(RgbColor(0x11, 0x22, 0x33), 0x00332211u) << "red lives in the low byte";
}

TEST(MixColors, IgnoresTheHighByte) {
    EXPECT_EQ(MixColors(kUntranslatableColor, RgbColor(0, 0, 0)), RgbColor(128, 128, 128));
    EXPECT_EQ(MixColors(0x80000000u, 0u), 0u);
}

TEST(VerticalGradient, TwentySixLinesRunExactlyFromFirstToLastColour) {
    const VerticalGradient gradient(RgbColor(221, 236, 254), RgbColor(129, 169, 226), 25);
    EXPECT_EQ(gradient.LineColor(0), RgbColor(221, 236, 254));
    // Steps −3.68, −2.68 and −1.12 per line.
    EXPECT_EQ(gradient.LineColor(1), RgbColor(217, 233, 253));
    EXPECT_EQ(gradient.LineColor(12), RgbColor(177, 204, 241));
    EXPECT_EQ(gradient.LineColor(25), RgbColor(129, 169, 226));
    for (int i = 1; i <= 25; ++i) {
        EXPECT_LE(RedOf(gradient.LineColor(i)), RedOf(gradient.LineColor(i - 1))) << i;
    }
}

TEST(VerticalGradient, LastLineIsExactOverEveryCount) {
    for (int count = 1; count <= 600; ++count) {
        const VerticalGradient gradient(RgbColor(0, 255, 7), RgbColor(255, 0, 200), count);
        ASSERT_EQ(gradient.LineColor(count), RgbColor(255, 0, 200)) << count;
    }
}

TEST(VerticalGradient, HalfwayValuesRoundToEven) {
    EXPECT_EQ(VerticalGradient(RgbColor(0, 0, 0), RgbColor(3, 5, 1), 2).LineColor(1), RgbColor(2, 2, 0));
}

TEST(VerticalGradient, StepIsKeptInSinglePrecision) {
    // 1/10 kept as a float is 0.100000001, so line 5 is just above one half and rounds up; a step kept
    // in double precision would land exactly on 0.5 and round to 0.
    const VerticalGradient gradient(RgbColor(0, 0, 0), RgbColor(1, 1, 1), 10);
    EXPECT_EQ(gradient.LineColor(5), RgbColor(1, 1, 1));
}

TEST(VerticalGradient, ACountOfZeroHasTheFirstColour) {
    EXPECT_EQ(VerticalGradient(RgbColor(10, 20, 30), RgbColor(200, 200, 200), 0).LineColor(0), RgbColor(10, 20, 30));
}

TEST(GrayLevel, KeepsTheSixteenNeutralGraysOnly) {
    for (int v = 0; v < 256; ++v) {
        const auto b = static_cast<std::uint8_t>(v);
        const bool listed = (v % 16 == 0 && v != 0x90) || v == 0xFF;
        EXPECT_EQ(IsKeptGray(b, b, b), listed) << v;
    }
    EXPECT_FALSE(IsKeptGray(0x10, 0x10, 0x11));
    EXPECT_FALSE(IsKeptGray(0xFF, 0xFF, 0x00));
}

TEST(GrayLevel, WeighsGreenRedAndBlue) {
    EXPECT_EQ(GrayLevel(144, 144, 144), 148);
    EXPECT_EQ(GrayLevel(255, 0, 0), 84);
    EXPECT_EQ(GrayLevel(0, 255, 0), 150);
    EXPECT_EQ(GrayLevel(0, 0, 255), 28);
    EXPECT_EQ(GrayLevel(250, 250, 250), 255) << "1.03 × 250 is held to 255";
    EXPECT_EQ(GrayLevel(0, 0, 0), 0);
}

} // namespace
} // namespace quarrow::controls
