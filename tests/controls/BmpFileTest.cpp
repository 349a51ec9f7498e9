#include "BmpFile.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quarrow::controls {
namespace {

TEST(BmpFile, HeadersOfATwoByTwoImage) {
    const BmpHeaders expected{
        'B', 'M', 74, 0, 0, 0,                               // file size: 58 + 16
        0,   0,   0,  0,                                     // reserved
        58,  0,   0,  0,                                     // pixels start after both headers
        40,  0,   0,  0,                                     // information header size
        2,   0,   0,  0, 2, 0, 0, 0,                         // width, height (positive: bottom-up)
        1,   0,   32, 0,                                     // planes, bits per pixel
        0,   0,   0,  0,                                     // no compression
        16,  0,   0,  0,                                     // image size
        0,   0,   0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // resolutions, colour counts
        0,   0,   0,  0,                                     // the one colour entry
    };
    EXPECT_EQ(EncodeBmpHeaders(2, 2), expected);
}

TEST(BmpFile, LargeSizesAreLittleEndian) {
    const BmpHeaders headers = EncodeBmpHeaders(0x10203, 0x102);
    const std::uint32_t imageSize = 0x10203u * 4u * 0x102u;
    const std::uint32_t fileSize = imageSize + 58;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(headers[2 + i], static_cast<std::uint8_t>(fileSize >> (8 * i)));
        EXPECT_EQ(headers[34 + i], static_cast<std::uint8_t>(imageSize >> (8 * i)));
    }
    EXPECT_EQ(headers[18], 0x03);
    EXPECT_EQ(headers[20], 0x01);
    EXPECT_EQ(headers[22], 0x02);
    EXPECT_EQ(headers[23], 0x01);
}

TEST(BmpFile, PartsAreWrittenInOrder) {
    const std::uint8_t a[] = {1, 2};
    const std::uint8_t b[] = {3};
    const std::uint8_t c[] = {4, 5, 6};
    std::vector<std::uint8_t> file;
    const bool complete = WritePartsInOrder(
        [&](std::span<const std::uint8_t> part) {
            file.insert(file.end(), part.begin(), part.end());
            return true;
        },
        {a, b, c});
    EXPECT_TRUE(complete);
    EXPECT_EQ(file, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(BmpFile, NothingFollowsAShortWrite) {
    const std::uint8_t a[] = {1, 2};
    const std::uint8_t b[] = {3};
    const std::uint8_t c[] = {4, 5, 6};
    int offered = 0;
    const bool complete = WritePartsInOrder(
        [&](std::span<const std::uint8_t>) {
            ++offered;
            return offered < 2; // the second part comes up short
        },
        {a, b, c});
    EXPECT_FALSE(complete);
    EXPECT_EQ(offered, 2) << "the third part must not be written";
}

} // namespace
} // namespace quarrow::controls
