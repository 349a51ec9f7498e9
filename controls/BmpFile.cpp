#include "BmpFile.hpp"

namespace quarrow::controls {

namespace {

void PutUint16(BmpHeaders& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutUint32(BmpHeaders& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitsPerPixel = 32;

} // namespace

BmpHeaders EncodeBmpHeaders(std::uint32_t width, std::uint32_t height) {
    const auto imageSize = static_cast<std::uint32_t>(BmpImageSize(width, height));
    BmpHeaders bytes{};
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutUint32(bytes, 2, imageSize + static_cast<std::uint32_t>(kBmpHeadersSize));
    PutUint32(bytes, 10, static_cast<std::uint32_t>(kBmpHeadersSize)); // where the pixels start
    // Information header; compression, resolutions and colour counts stay 0, as does the colour entry.
    PutUint32(bytes, 14, kInfoHeaderSize);
    PutUint32(bytes, 18, width);
    PutUint32(bytes, 22, height); // positive: rows bottom-up
    PutUint16(bytes, 26, 1);      // planes
    PutUint16(bytes, 28, kBitsPerPixel);
    PutUint32(bytes, 34, imageSize);
    return bytes;
}

bool WritePartsInOrder(const PartWriter& write, std::initializer_list<std::span<const std::uint8_t>> parts) {
    for (const auto part : parts) {
        if (!write(part)) {
            return false;
        }
    }
    return true;
}

} // namespace quarrow::controls
