#include "PakFormat.hpp"

#include <algorithm>

namespace quarrow {

std::int32_t ReadInt32LE(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
        static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
    return static_cast<std::int32_t>(value);
}

void WriteInt32LE(std::span<std::uint8_t> bytes, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    bytes[offset] = static_cast<std::uint8_t>(bits);
    bytes[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
    bytes[offset + 2] = static_cast<std::uint8_t>(bits >> 16);
    bytes[offset + 3] = static_cast<std::uint8_t>(bits >> 24);
}

HeaderBytes EncodeHeader(const PakHeader& header) {
    HeaderBytes bytes{};
    std::copy(header.magic.begin(), header.magic.end(), bytes.begin());
    WriteInt32LE(bytes, 4, header.entryCount);
    WriteInt32LE(bytes, 8, header.indexOffset);
    WriteInt32LE(bytes, 12, header.headerWord);
    return bytes;
}

PakHeader DecodeHeader(std::span<const std::uint8_t, kHeaderSize> bytes) {
    PakHeader header;
    std::copy_n(bytes.begin(), 4, header.magic.begin());
    header.entryCount = ReadInt32LE(bytes, 4);
    header.indexOffset = ReadInt32LE(bytes, 8);
    header.headerWord = ReadInt32LE(bytes, 12);
    return header;
}

EntryBytes EncodeEntry(const PakEntry& entry) {
    EntryBytes bytes{};
    WriteInt32LE(bytes, 0, entry.size);
    WriteInt32LE(bytes, 4, entry.dataOffset);
    std::copy(entry.reserved.begin(), entry.reserved.end(), bytes.begin() + 8);
    std::copy(entry.name.begin(), entry.name.end(), bytes.begin() + kEntryNameOffset);
    return bytes;
}

PakEntry DecodeEntry(std::span<const std::uint8_t, kEntrySize> bytes) {
    PakEntry entry;
    entry.size = ReadInt32LE(bytes, 0);
    entry.dataOffset = ReadInt32LE(bytes, 4);
    std::copy_n(bytes.begin() + 8, entry.reserved.size(), entry.reserved.begin());
    std::copy_n(bytes.begin() + kEntryNameOffset, kNameSize, entry.name.begin());
    return entry;
}

bool HasPakMagic(std::span<const std::uint8_t> firstBytes) {
    if (firstBytes.size() < kMagic.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kMagic.size(); ++i) {
        std::uint8_t c = firstBytes[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<std::uint8_t>(c - 'a' + 'A');
        }
        if (c != kMagic[i]) {
            return false;
        }
    }
    return true;
}

std::string_view StoredNameBytes(const NameField& field) {
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return {reinterpret_cast<const char*>(field.data()), static_cast<std::size_t>(end - field.begin())};
}

std::int64_t IndexPaddingEnd(std::int64_t dataEnd) { return 16 * ((dataEnd + 1 + 15) / 16); }

std::optional<ByteRange> AppendedContent(const PakHeader& header, std::uint64_t fileSize) {
    const auto size = static_cast<std::int64_t>(fileSize);
    if (header.entryCount == 0 && (header.indexOffset < 0 || header.indexOffset > size)) {
        return std::nullopt;
    }
    const std::int64_t indexEnd = std::max(static_cast<std::int64_t>(header.indexOffset) +
                                               static_cast<std::int64_t>(kEntrySize) * header.entryCount,
                                           kDataStart);
    if (indexEnd >= size) {
        return std::nullopt;
    }
    return ByteRange{indexEnd, size};
}

PakLayout ComputeLayout(std::span<const std::int64_t> sizes) {
    PakLayout layout;
    layout.dataOffsets.reserve(sizes.size());
    std::int64_t offset = kDataStart;
    for (const std::int64_t size : sizes) {
        layout.dataOffsets.push_back(offset);
        offset += size;
    }
    layout.dataEnd = offset;
    layout.indexOffset = IndexPaddingEnd(layout.dataEnd) + 1;
    layout.archiveSize =
        layout.indexOffset + static_cast<std::int64_t>(kEntrySize) * static_cast<std::int64_t>(sizes.size());
    return layout;
}

} // namespace quarrow
