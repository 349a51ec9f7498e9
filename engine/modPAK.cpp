#include "modPAK.hpp"

#include "Cp936.hpp"
#include "File.hpp"
#include "FileFaults.hpp"
#include "PakFormat.hpp"
#include "Text.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

#include <stdexcept>
#include <system_error>
#include <vector>

namespace quarrow {

std::wstring GetPathHead(std::wstring_view path) {
    const auto last = path.rfind(kArchiveSeparator);
    if (last == std::wstring_view::npos || last == 0) {
        return {};
    }
    return std::wstring(path.substr(0, last));
}

std::wstring GetPathTail(std::wstring_view path) {
    const auto last = path.rfind(kArchiveSeparator);
    if (last == std::wstring_view::npos) {
        return std::wstring(path);
    }
    return std::wstring(path.substr(last + 1));
}

std::wstring CutToken(std::wstring& text, wchar_t separator) {
    const auto at = text.find(separator);
    std::wstring token;
    if (at == std::wstring::npos) {
        token.swap(text);
    } else {
        token = text.substr(0, at + 1);
        text.erase(0, at + 1);
    }
    return token;
}

namespace {

#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';
#else
constexpr wchar_t kSeparator = L'/';
#endif

// The result is ignored on purpose: an existing level must not stop the chain, and a level that
// cannot be made shows up as a failed write into it.
void CreateOneDirectory(const std::wstring& path) {
    if (FileFaults* faults = InstalledFileFaults(); faults && !faults->BeforeCreateDirectory(PathFromWide(path))) {
        return;
    }
#ifdef _WIN32
    CreateDirectoryW(path.c_str(), nullptr);
#else
    std::error_code ignored;
    std::filesystem::create_directory(PathFromWide(path), ignored);
#endif
}

} // namespace

std::int32_t CreateFolderTree(std::wstring path) {
#ifdef _WIN32
    for (auto& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
#endif
    if (path.empty() || path.back() != kSeparator) {
        path.push_back(kSeparator);
    }

    // The drive (D:\) or root (/) is no level of its own: it goes in front of the first token.
    std::wstring prefix;
#ifdef _WIN32
    if (path.find(L':') != std::wstring::npos) {
        prefix = CutToken(path, kSeparator);
    }
#else
    if (path.front() == kSeparator) {
        prefix = CutToken(path, kSeparator);
    }
#endif

    std::wstring level = prefix;
    std::int32_t count = 0;
    while (!path.empty()) {
        level += CutToken(path, kSeparator);
        CreateOneDirectory(level);
        ++count;
    }
    return count;
}

std::wstring LongToHex(std::int32_t value) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    auto remaining = static_cast<std::uint32_t>(value);
    std::wstring text;
    while (remaining != 0) {
        text.insert(text.begin(), kDigits[remaining % 16]);
        remaining /= 16;
    }
    if (text.empty()) {
        text = L"00";
    }
    if (text.size() % 2 != 0) {
        text.insert(text.begin(), L'0');
    }
    return text;
}

std::int32_t HexToLong(std::wstring_view text) {
    if (text.size() >= 2 && text[0] == L'&' && (text[1] == L'H' || text[1] == L'h')) {
        text.remove_prefix(2);
    }
    std::wstring padded = L"0000000" + std::wstring(text);
    padded.erase(0, padded.size() - 8);
    std::uint32_t value = 0;
    for (const wchar_t c : padded) {
        std::uint32_t digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = static_cast<std::uint32_t>(c - L'0');
        } else if (c >= L'A' && c <= L'F') {
            digit = static_cast<std::uint32_t>(c - L'A' + 10);
        } else if (c >= L'a' && c <= L'f') {
            digit = static_cast<std::uint32_t>(c - L'a' + 10);
        } else {
            return 0;
        }
        value = value * 16 + digit;
    }
    return static_cast<std::int32_t>(value);
}

namespace {

void WriteAtHexPosition(const std::filesystem::path& file, std::wstring_view position,
                        const std::vector<std::uint8_t>& bytes) {
    const auto offset = static_cast<std::uint32_t>(HexToLong(position));
    File target = File::Open(file, File::Mode::OpenOrCreate);
    target.WriteAt(offset, bytes.data(), bytes.size());
    target.Close();
}

} // namespace

void PutLongAt(const std::filesystem::path& file, std::wstring_view position, std::wstring_view value) {
    std::vector<std::uint8_t> bytes(4);
    WriteInt32LE(bytes, 0, HexToLong(value));
    WriteAtHexPosition(file, position, bytes);
}

void PutTextAt(const std::filesystem::path& file, std::wstring_view position, std::wstring_view text) {
    const auto encoded = cp936::Encode(text);
    if (!encoded) {
        throw std::invalid_argument("text has no code page 936 form: " + Utf8FromWide(text));
    }
    WriteAtHexPosition(file, position, std::vector<std::uint8_t>(encoded->begin(), encoded->end()));
}

} // namespace quarrow
