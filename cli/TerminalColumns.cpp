#include "TerminalColumns.hpp"

#include <vector>

namespace quarrow::cli {

namespace {

struct Character {
    std::size_t start;  // in code units of the text
    std::size_t length; // code units: two for a surrogate pair where wchar_t is UTF-16
    std::size_t columns;
};

// The East Asian Wide and Fullwidth ranges: Hangul, the CJK blocks, Kana, Yi, the full-width forms, the
// common emoji and the supplementary ideographic planes.
bool IsWide(char32_t c) {
    struct Range {
        char32_t first;
        char32_t last;
    };
    static constexpr Range kWide[] = {
        {0x1100, 0x115F},   {0x2329, 0x232A},   {0x2E80, 0x303E},   {0x3040, 0xA4CF},   {0xAC00, 0xD7A3},
        {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},
        {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
    };
    for (const Range& range : kWide) {
        if (c >= range.first && c <= range.last) {
            return true;
        }
    }
    return false;
}

std::vector<Character> Characters(std::wstring_view text) {
    std::vector<Character> characters;
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<char32_t>(text[i]);
        std::size_t length = 1;
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                const auto low = static_cast<char32_t>(text[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    length = 2;
                }
            }
        }
        characters.push_back({i, length, IsWide(c) ? 2u : 1u});
        i += length;
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
    const std::vector<Character> characters = Characters(text);
    std::size_t width = 0;
    for (const Character& c : characters) {
        width += c.columns;
    }
    std::wstring fitted;
    if (width <= columns) {
        fitted = text;
    } else {
        constexpr std::wstring_view kEllipsis = L"...";
        const std::size_t room = columns > kEllipsis.size() ? columns - kEllipsis.size() : 0;
        std::size_t headEnd = 0; // code units
        for (std::size_t used = 0, i = 0; i < characters.size() && used + characters[i].columns <= room / 2; ++i) {
            used += characters[i].columns;
            headEnd = characters[i].start + characters[i].length;
        }
        std::size_t tailStart = text.size();
        for (std::size_t used = 0, i = characters.size(); i > 0 && used + characters[i - 1].columns <= room - room / 2;
             --i) {
            used += characters[i - 1].columns;
            tailStart = characters[i - 1].start;
        }
        fitted = std::wstring(text.substr(0, headEnd));
        if (columns >= kEllipsis.size()) {
            fitted += kEllipsis;
        }
        fitted += text.substr(tailStart);
        width = DisplayColumns(fitted);
    }
    fitted.append(columns - width, L' ');
    return fitted;
}

} // namespace quarrow::cli
