#include "Cp936.hpp"

namespace quarrow::cp936 {

namespace {

bool IsAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

} // namespace

std::wstring DecodeLossy(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::wstring(bytes.begin(), bytes.end());
    }
    if (auto exact = Decode(bytes)) {
        return *exact;
    }
    std::wstring out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        if (IsLeadByte(b) && i + 1 < bytes.size()) {
            if (auto pair = Decode(bytes.substr(i, 2))) {
                out += *pair;
                i += 2;
                continue;
            }
        }
        if (auto single = Decode(bytes.substr(i, 1))) {
            out += *single;
        } else {
            out.push_back(static_cast<wchar_t>(0xFFFD));
        }
        ++i;
    }
    return out;
}

} // namespace quarrow::cp936
