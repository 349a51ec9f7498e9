#include "PakFormat.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace quarrow {
namespace {

TEST(PakFormat, HeaderEncodesLittleEndianAndDecodesBack) {
    PakHeader header;
    header.entryCount = 2;
    header.indexOffset = 49;
    const HeaderBytes bytes = EncodeHeader(header);
    const HeaderBytes expected{'P', 'A', 'K', 'S', 2, 0, 0, 0, 49, 0, 0, 0, 0x3F, 0x40, 0, 0};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(DecodeHeader(bytes), header);
}

TEST(PakFormat, NegativeAndLargeFieldsRoundTrip) {
    PakHeader header;
    header.entryCount = -1;
    header.indexOffset = 0x7FFFFFFF;
    const HeaderBytes bytes = EncodeHeader(header);
    EXPECT_EQ(bytes[4], 0xFF);
    EXPECT_EQ(bytes[7], 0xFF);
    EXPECT_EQ(bytes[11], 0x7F);
    EXPECT_EQ(DecodeHeader(bytes).entryCount, -1);
    EXPECT_EQ(DecodeHeader(bytes).indexOffset, 0x7FFFFFFF);
}

TEST(PakFormat, EntryPlacesSizeOffsetReservedAndName) {
    PakEntry entry;
    entry.size = 10;
    entry.dataOffset = 0x01020304;
    entry.reserved[0] = 0xAA;
    std::memcpy(entry.name.data(), "A.BIN", 5);
    const EntryBytes bytes = EncodeEntry(entry);
    EXPECT_EQ(bytes[0], 10);
    EXPECT_EQ(bytes[4], 0x04);
    EXPECT_EQ(bytes[7], 0x01);
    EXPECT_EQ(bytes[8], 0xAA);
    EXPECT_EQ(bytes[24], 'A');
    EXPECT_EQ(bytes[28], 'N');
    EXPECT_EQ(bytes[29], 0);
    EXPECT_EQ(DecodeEntry(bytes), entry);
}

TEST(PakFormat, MagicIsTestedAfterUpperCasing) {
    const std::uint8_t upper[] = {'P', 'A', 'K', 'S'};
    const std::uint8_t lower[] = {'p', 'a', 'k', 's'};
    const std::uint8_t mixed[] = {'p', 'A', 'k', 'S', 0};
    const std::uint8_t other[] = {'P', 'A', 'K', 'X'};
    const std::uint8_t shorter[] = {'P', 'A', 'K'};
    EXPECT_TRUE(HasPakMagic(upper));
    EXPECT_TRUE(HasPakMagic(lower));
    EXPECT_TRUE(HasPakMagic(mixed));
    EXPECT_FALSE(HasPakMagic(other));
    EXPECT_FALSE(HasPakMagic(shorter));
    EXPECT_FALSE(HasPakMagic({}));
}

TEST(PakFormat, StoredNameStopsAtFirstZeroOrTakesAllForty) {
    NameField field{};
    std::memcpy(field.data(), "DATA\\A.BMP\0XYZ", 14);
    EXPECT_EQ(StoredNameBytes(field), "DATA\\A.BMP");

    NameField full;
    full.fill('N');
    EXPECT_EQ(StoredNameBytes(full).size(), kNameSize);

    NameField empty{};
    EXPECT_TRUE(StoredNameBytes(empty).empty());
}

TEST(PakLayoutRule, TwoFilesOfTenAndFiveGiveTheExampleArchive) {
    const std::int64_t sizes[] = {10, 5};
    const PakLayout layout = ComputeLayout(sizes);
    EXPECT_EQ(layout.dataOffsets, (std::vector<std::int64_t>{24, 34}));
    EXPECT_EQ(layout.dataEnd, 39);
    EXPECT_EQ(layout.indexOffset, 49);
    EXPECT_EQ(layout.archiveSize, 177);
    EXPECT_TRUE(layout.FitsFormat());
}

TEST(PakLayoutRule, IndexAlwaysStartsPastTheNextSixteenByteBoundary) {
    EXPECT_EQ(IndexPaddingEnd(47), 48);
    EXPECT_EQ(IndexPaddingEnd(48), 64);
    EXPECT_EQ(IndexPaddingEnd(24), 32);

    const std::int64_t endsAt47[] = {23};
    const std::int64_t endsAt48[] = {24};
    EXPECT_EQ(ComputeLayout(endsAt47).indexOffset, 49);
    EXPECT_EQ(ComputeLayout(endsAt48).indexOffset, 65);
}

TEST(PakLayoutRule, ZeroSizeEntriesShareTheNextOffset) {
    const std::int64_t sizes[] = {0, 7, 0, 0, 3};
    const PakLayout layout = ComputeLayout(sizes);
    EXPECT_EQ(layout.dataOffsets, (std::vector<std::int64_t>{24, 24, 31, 31, 31}));
    EXPECT_EQ(layout.dataEnd, 34);
}

TEST(PakLayoutRule, EmptyListAndOversizedData) {
    const PakLayout empty = ComputeLayout({});
    EXPECT_EQ(empty.dataEnd, 24);
    EXPECT_EQ(empty.indexOffset, 33);
    EXPECT_EQ(empty.archiveSize, 33);

    const std::int64_t fits[] = {kMaxOffset - 24 - 20};
    EXPECT_TRUE(ComputeLayout(fits).FitsFormat());
    const std::int64_t tooLarge[] = {kMaxOffset - 24};
    EXPECT_FALSE(ComputeLayout(tooLarge).FitsFormat()) << "the index offset would pass 2^31 - 1";
    const std::int64_t sumTooLarge[] = {kMaxOffset / 2, kMaxOffset / 2, 100};
    EXPECT_FALSE(ComputeLayout(sumTooLarge).FitsFormat());
}

} // namespace
} // namespace quarrow
