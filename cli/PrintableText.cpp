#include "PrintableText.hpp"

#include "Text.hpp"

namespace quarrow::cli {

namespace {

bool IsControl(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

constexpr char kHexDigits[] = "0123456789abcdef";

} // namespace

std::wstring Printable(std::wstring_view text) {
    std::wstring printable(text);
    for (wchar_t& c : printable) {
        if (IsControl(c)) {
            c = L'?';
        }
    }
    return printable;
}

std::string PrintableUtf8(std::string_view utf8) {
    // Most lines are plain ASCII without a control character: they pass unconverted.
    bool plain = true;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        plain = plain && byte >= 0x20 && byte < 0x7F;
    }
    return plain ? std::string(utf8) : Utf8FromWide(Printable(WideFromUtf8(utf8)));
}

std::string JsonString(std::wstring_view text) {
    std::wstring escaped = L"\"";
    for (const wchar_t c : text) {
        switch (c) {
        case L'"': escaped += L"\\\""; break;
        case L'\\': escaped += L"\\\\"; break;
        case L'\b': escaped += L"\\b"; break;
        case L'\f': escaped += L"\\f"; break;
        case L'\n': escaped += L"\\n"; break;
        case L'\r': escaped += L"\\r"; break;
        case L'\t': escaped += L"\\t"; break;
        default:
            if (IsControl(c)) {
                escaped += L"\\u00";
                escaped += static_cast<wchar_t>(kHexDigits[(c >> 4) & 15]);
                escaped += static_cast<wchar_t>(kHexDigits[c & 15]);
            } else {
                escaped += c;
            }
        }
    }
    escaped += L'"';
    return Utf8FromWide(escaped);
}

std::string HexBytes(std::string_view bytes) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kHexDigits[byte >> 4];
        hex += kHexDigits[byte & 15];
    }
    return hex;
}

} // namespace quarrow::cli
