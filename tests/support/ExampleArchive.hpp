#pragma once
// The example archive: two files of 10 and 5 bytes packed in list order, so that their data lies at 24
// and 34, the index at 49 and the archive takes 177 bytes. Written out byte by byte rather than by the
// packer, so that tests of the packer can compare with it.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::testing {

struct ExampleFile {
    std::string_view name; // as stored: the file's own name
    std::string_view content;

    std::wstring WideName() const { return std::wstring(name.begin(), name.end()); }
};

inline constexpr ExampleFile kExampleFiles[] = {{"a.bin", "0123456789"}, {"B.TXT", "hello"}};

inline std::vector<std::uint8_t> ExampleArchiveBytes() {
    std::vector<std::uint8_t> bytes(177, 0);
    const auto put = [&](std::size_t at, std::initializer_list<std::uint8_t> values) {
        std::copy(values.begin(), values.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    };
    const auto putText = [&](std::size_t at, std::string_view text) {
        std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(0, {'P', 'A', 'K', 'S', 2, 0, 0, 0, 49, 0, 0, 0, 0x3F, 0x40, 0, 0}); // 2 entries, index at 49, 16447
    putText(24, kExampleFiles[0].content);
    putText(34, kExampleFiles[1].content);
    put(49, {10, 0, 0, 0, 24, 0, 0, 0}); // size, data offset; 16 reserved bytes; the name
    putText(49 + 24, kExampleFiles[0].name);
    put(113, {5, 0, 0, 0, 34, 0, 0, 0});
    putText(113 + 24, kExampleFiles[1].name);
    return bytes;
}

} // namespace quarrow::testing
