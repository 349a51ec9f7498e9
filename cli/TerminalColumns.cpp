#include "TerminalColumns.hpp"

#include <algorithm>
#include <iterator>
#include <vector>

namespace quarrow::cli {

namespace {

// The East Asian Wide and Fullwidth ranges: Hangul Jamo, the CJK blocks with Kana and Yi, Hangul
// syllables, compatibility ideographs, vertical and small forms, full-width forms, the common emoji and
// the supplementary ideographic planes.
constexpr char32_t kWide[][2] = {{0x1100, 0x115F},   {0x2329, 0x232A},  {0x2E80, 0x303E},   {0x3040, 0xA4CF},
                                 {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},  {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},
                                 {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},  {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF},
                                 {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD}};

struct Character {
    std::size_t units;   // two for a surrogate pair where wchar_t is UTF-16
    std::size_t columns; // two for a wide character
};

std::vector<Character> Characters(std::wstring_view text) {
    std::vector<Character> characters;
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<char32_t>(text[i]);
        std::size_t units = 1;
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            units = 2;
        }
        const bool wide = std::any_of(std::begin(kWide), std::end(kWide),
                                      [c](const auto& range) { return c >= range[0] && c <= range[1]; });
        characters.push_back({units, wide ? 2u : 1u});
        i += units;
    }
    return characters;
}

} // namespace

std::size_t DisplayColumns(std::wstring_view text) {
    std::size_t columns = 0;
    for (const Character& c : Characters(text)) {
        columns += c.columns;
    }
    return columns;
}

std::wstring FitColumns(std::wstring_view text, std::size_t columns) {
    std::wstring fitted(text);
    if (DisplayColumns(text) > columns) {
        constexpr std::wstring_view kEllipsis = L"...";
        const std::size_t room = columns > kEllipsis.size() ? columns - kEllipsis.size() : 0;
        const std::vector<Character> characters = Characters(text);
        std::size_t head = 0; // code units, from the front
        for (std::size_t used = 0, i = 0; i < characters.size() && used + characters[i].columns <= room / 2; ++i) {
            used += characters[i].columns;
            head += characters[i].units;
        }
        std::size_t tail = 0; // code units, from the back
        for (std::size_t used = 0, i = characters.size(); i > 0 && used + characters[i - 1].columns <= room - room / 2;
             --i) {
            used += characters[i - 1].columns;
            tail += characters[i - 1].units;
        }
        fitted = std::wstring(text.substr(0, head)) + std::wstring(columns >= kEllipsis.size() ? kEllipsis : L"") +
                 std::wstring(text.substr(text.size() - tail));
    }
    return fitted.append(columns - DisplayColumns(fitted), L' ');
}

} // namespace quarrow::cli
