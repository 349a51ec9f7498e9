#pragma once
// The PAK archive layout: a 16-byte header, 8 reserved bytes, the stored files back to back from
// offset 24, and an index of 64-byte entries. Integers are 32-bit signed little-endian.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow {

inline constexpr std::size_t kHeaderSize = 16;
inline constexpr std::size_t kEntrySize = 64;
inline constexpr std::size_t kNameSize = 40;
inline constexpr std::size_t kEntryNameOffset = 24;
inline constexpr std::int64_t kDataStart = 24;
inline constexpr std::int32_t kHeaderWord = 16447; // 0x403F, what the packer writes; nobody reads it
inline constexpr std::int64_t kMaxOffset = 2'147'483'647;
inline constexpr std::array<std::uint8_t, 4> kMagic{'P', 'A', 'K', 'S'};

using HeaderBytes = std::array<std::uint8_t, kHeaderSize>;
using EntryBytes = std::array<std::uint8_t, kEntrySize>;
using NameField = std::array<std::uint8_t, kNameSize>;

struct PakHeader {
    std::array<std::uint8_t, 4> magic = kMagic;
    std::int32_t entryCount = 0;
    std::int32_t indexOffset = 0;
    std::int32_t headerWord = kHeaderWord;

    friend bool operator==(const PakHeader&, const PakHeader&) = default;
};

struct PakEntry {
    std::int32_t size = 0;
    std::int32_t dataOffset = 0;
    std::array<std::uint8_t, 16> reserved{};
    NameField name{};

    friend bool operator==(const PakEntry&, const PakEntry&) = default;
};

static_assert(kEntryNameOffset + kNameSize == kEntrySize);

std::int32_t ReadInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset);
void WriteInt32LE(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value);

HeaderBytes EncodeHeader(const PakHeader& header);
PakHeader DecodeHeader(std::span<const std::uint8_t, kHeaderSize> bytes);

EntryBytes EncodeEntry(const PakEntry& entry);
PakEntry DecodeEntry(std::span<const std::uint8_t, kEntrySize> bytes);

// The archive test: the four magic bytes, upper-cased, spell "PAKS".
bool HasPakMagic(std::span<const std::uint8_t> firstBytes);

// The stored name's bytes: up to the first zero byte, or all 40 when there is none.
std::string_view StoredNameBytes(const NameField& field);

// Where the packer puts everything, given the stored files' sizes in list order.
struct PakLayout {
    std::vector<std::int64_t> dataOffsets; // the first at 24, each next right behind its predecessor
    std::int64_t dataEnd = kDataStart;     // E: the end of the data
    std::int64_t indexOffset = 0;          // Q + 1, Q being the least multiple of 16 that is at least E + 1
    std::int64_t archiveSize = 0;          // the index offset plus 64 per entry

    // Whether every data offset, every size and the index offset fit the format's signed 32-bit fields.
    bool FitsFormat() const { return dataEnd <= kMaxOffset && indexOffset <= kMaxOffset; }
};

PakLayout ComputeLayout(std::span<const std::int64_t> sizes);

// Q for a given data end E: 16 * ceil((E + 1) / 16).
std::int64_t IndexPaddingEnd(std::int64_t dataEnd);

// A run of bytes of a file, from `first` up to but not including `end`.
struct ByteRange {
    std::int64_t first = 0;
    std::int64_t end = 0;

    std::int64_t Size() const { return end - first; }
    std::int64_t Last() const { return end - 1; }
    friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// The bytes behind the end of the index, which no entry lists: what the append command put there,
// reached only through the addresses it reported. Empty when the file ends with its index, and when an
// empty index lies outside the file, so that its end is unknown.
std::optional<ByteRange> AppendedContent(const PakHeader& header, std::uint64_t fileSize);

} // namespace quarrow
