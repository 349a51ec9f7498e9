#pragma once
// Small archives made byte by byte, including damaged ones, for tests of the reader and the extractor.

#include "PakFormat.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quarrow::testing {

struct HandMadeEntry {
    std::string nameBytes; // code page 936 bytes, at most 40
    std::int32_t size = 0;
    std::int32_t dataOffset = 0;
};

// The archive: magic, count and index offset as given (defaults: as many as there are entries, right
// after `data`), the data from offset 24, then the index.
struct HandMadeArchive {
    std::vector<HandMadeEntry> entries;
    std::string data; // placed at offset 24
    bool setCount = false;
    std::int32_t count = 0;
    bool setIndexOffset = false;
    std::int32_t indexOffset = 0;
    std::string magic = "PAKS";

    // Adds an entry whose data is `content`, appended to the data area.
    HandMadeArchive& Add(const std::string& nameBytes, const std::string& content) {
        entries.push_back({nameBytes, static_cast<std::int32_t>(content.size()),
                           static_cast<std::int32_t>(kDataStart + data.size())});
        data += content;
        return *this;
    }
    HandMadeArchive& AddRaw(const std::string& nameBytes, std::int32_t size, std::int32_t dataOffset) {
        entries.push_back({nameBytes, size, dataOffset});
        return *this;
    }

    std::vector<std::uint8_t> Bytes() const {
        const std::size_t naturalIndex = kDataStart + data.size();
        std::vector<std::uint8_t> bytes(naturalIndex + kEntrySize * entries.size(), 0);
        std::memcpy(bytes.data() + kDataStart, data.data(), data.size());
        std::size_t at = naturalIndex;
        for (const auto& entry : entries) {
            PakEntry record;
            record.size = entry.size;
            record.dataOffset = entry.dataOffset;
            std::memcpy(record.name.data(), entry.nameBytes.data(), std::min(entry.nameBytes.size(), kNameSize));
            const EntryBytes encoded = EncodeEntry(record);
            std::memcpy(bytes.data() + at, encoded.data(), encoded.size());
            at += kEntrySize;
        }
        PakHeader header;
        header.entryCount = setCount ? count : static_cast<std::int32_t>(entries.size());
        header.indexOffset = setIndexOffset ? indexOffset : static_cast<std::int32_t>(naturalIndex);
        const HeaderBytes encoded = EncodeHeader(header);
        std::memcpy(bytes.data(), encoded.data(), encoded.size());
        std::memcpy(bytes.data(), magic.data(), std::min<std::size_t>(magic.size(), 4));
        return bytes;
    }
};

} // namespace quarrow::testing
