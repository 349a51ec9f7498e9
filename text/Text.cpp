#include "Text.hpp"

#include <algorithm>
#include <cstdint>

namespace quarrow {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(cp));
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsSurrogate(char32_t cp) { return cp >= 0xD800 && cp <= 0xDFFF; }

// A byte that is no part of UTF-8, carried in wide text as a code point that UTF-8 never yields.
constexpr char32_t kEscapedByte = 0xDC00;

enum class Malformed { Replace, Escape };

std::wstring DecodeUtf8(std::string_view utf8, Malformed malformed) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            out.push_back(static_cast<wchar_t>(lead));
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, cp = lead & 0x07, minimum = 0x10000;
        } else {
            AppendCodePoint(out, malformed == Malformed::Escape ? kEscapedByte + lead : kReplacement);
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + taken < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
            ++taken;
        }
        if (taken < length || cp < minimum || cp > 0x10FFFF || IsSurrogate(cp)) {
            if (malformed == Malformed::Escape) {
                AppendCodePoint(out, kEscapedByte + lead); // byte by byte, so that every one is kept
                ++i;
                continue;
            }
            cp = kReplacement;
        }
        AppendCodePoint(out, cp);
        i += taken;
    }
    return out;
}

} // namespace

std::wstring WideFromUtf8(std::string_view utf8) { return DecodeUtf8(utf8, Malformed::Replace); }

bool HasEscapedBytes(std::wstring_view wide) {
#ifdef _WIN32
    (void)wide;
    return false;
#else
    return std::any_of(wide.begin(), wide.end(), [](wchar_t c) {
        return static_cast<char32_t>(c) >= kEscapedByte + 0x80 && static_cast<char32_t>(c) <= kEscapedByte + 0xFF;
    });
#endif
}

std::string Utf8FromWide(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        auto cp = static_cast<char32_t>(wide[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size()) {
                const auto low = static_cast<char32_t>(wide[i + 1]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if (IsSurrogate(cp) || cp > 0x10FFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::filesystem::path PathFromWide(std::wstring_view wide) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(wide));
#else
    std::string bytes;
    bytes.reserve(wide.size());
    for (const wchar_t c : wide) {
        const auto cp = static_cast<char32_t>(c);
        if (cp >= kEscapedByte + 0x80 && cp <= kEscapedByte + 0xFF) {
            bytes.push_back(static_cast<char>(cp - kEscapedByte));
        } else {
            AppendUtf8(bytes, IsSurrogate(cp) || cp > 0x10FFFF ? kReplacement : cp);
        }
    }
    return std::filesystem::path(std::move(bytes));
#endif
}

std::wstring WideFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.native();
#else
    return DecodeUtf8(path.native(), Malformed::Escape);
#endif
}

wchar_t ToUpperInvariant(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7) || (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) ||
        (u >= 0x430 && u <= 0x44F) || (u >= 0xFF41 && u <= 0xFF5A)) {
        return static_cast<wchar_t>(u - 0x20);
    }
    if (u >= 0x450 && u <= 0x45F) {
        return static_cast<wchar_t>(u - 0x50);
    }
    return c;
}

std::wstring ToUpperInvariant(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) {
        c = ToUpperInvariant(c);
    }
    return out;
}

std::wstring DecimalText(long long value) { return std::to_wstring(value); }

} // namespace quarrow
