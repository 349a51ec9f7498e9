#pragma once
// A reader of archive bytes that shares no code with the engine, so that what the engine writes is
// judged by something else: fields decoded here byte by byte, names kept as their raw 40 bytes.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarrow::testing {

struct ReadEntry {
    std::int64_t size = 0;
    std::int64_t offset = 0;
    std::string nameField; // all 40 bytes
    std::string data;

    std::string Name() const { return nameField.substr(0, nameField.find('\0')); }
};

struct ReadArchive {
    std::string magic;
    std::int64_t indexOffset = 0;
    std::int64_t headerWord = 0;
    std::vector<ReadEntry> entries;
    std::size_t fileSize = 0;

    // Name (the bytes before the terminator) to data; a later entry of a repeated name wins.
    std::map<std::string, std::string> Contents() const {
        std::map<std::string, std::string> contents;
        for (const ReadEntry& entry : entries) {
            contents[entry.Name()] = entry.data;
        }
        return contents;
    }
};

inline std::int64_t LittleEndian32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    if (at + 4 > bytes.size()) {
        throw std::out_of_range("a number beyond the end of the archive");
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value * 256 + bytes[at + static_cast<std::size_t>(i)];
    }
    return static_cast<std::int32_t>(value);
}

inline ReadArchive ReadArchiveBytes(const std::vector<std::uint8_t>& bytes) {
    ReadArchive archive;
    archive.fileSize = bytes.size();
    archive.magic.assign(bytes.begin(), bytes.begin() + std::min<std::size_t>(4, bytes.size()));
    const std::int64_t count = LittleEndian32(bytes, 4);
    archive.indexOffset = LittleEndian32(bytes, 8);
    archive.headerWord = LittleEndian32(bytes, 12);
    for (std::int64_t i = 0; i < count; ++i) {
        const auto at = static_cast<std::size_t>(archive.indexOffset + 64 * i);
        ReadEntry entry;
        entry.size = LittleEndian32(bytes, at);
        entry.offset = LittleEndian32(bytes, at + 4);
        if (at + 64 > bytes.size() || entry.offset < 0 || entry.size < 0 ||
            static_cast<std::size_t>(entry.offset + entry.size) > bytes.size()) {
            throw std::out_of_range("an entry beyond the end of the archive");
        }
        entry.nameField.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at + 24),
                               bytes.begin() + static_cast<std::ptrdiff_t>(at + 64));
        entry.data.assign(bytes.begin() + entry.offset, bytes.begin() + entry.offset + entry.size);
        archive.entries.push_back(std::move(entry));
    }
    return archive;
}

} // namespace quarrow::testing
