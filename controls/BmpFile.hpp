#pragma once
// The BMP file a bitmap surface saves: a 14-byte file header, the 40-byte information header of a
// bottom-up 32-bit bitmap and one empty 4-byte colour entry, then the pixels as stored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>

namespace quarrow::controls {

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoBlockSize = 44; // information header and one colour entry
inline constexpr std::size_t kBmpHeadersSize = kBmpFileHeaderSize + kBmpInfoBlockSize;
static_assert(kBmpHeadersSize == 58);

using BmpHeaders = std::array<std::uint8_t, kBmpHeadersSize>;

// Image size in bytes of a 32-bit bitmap: 4 bytes per pixel, no row filler.
constexpr std::uint64_t BmpImageSize(std::uint32_t width, std::uint32_t height) {
    return std::uint64_t{width} * 4u * height;
}

// Both headers of a `width` × `height` file, little-endian, byte by byte. The caller keeps the image
// size within 32 bits.
BmpHeaders EncodeBmpHeaders(std::uint32_t width, std::uint32_t height);

// Hands each part in order to `write`, which reports whether it took the whole part; stops at the
// first part it did not, so that nothing follows a short write. True when every part was taken.
using PartWriter = std::function<bool(std::span<const std::uint8_t>)>;
bool WritePartsInOrder(const PartWriter& write, std::initializer_list<std::span<const std::uint8_t>> parts);

} // namespace quarrow::controls
