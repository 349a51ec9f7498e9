#include "modPAK.hpp"

#include "FileFaults.hpp"
#include "SystemPath.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

#include <system_error>

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

// The result is ignored on purpose: an existing level must not stop the chain, and a level that
// cannot be made shows up as a failed write into it.
void CreateOneDirectory(const std::filesystem::path& path) {
    if (FileFaults* faults = InstalledFileFaults(); faults && !faults->BeforeCreateDirectory(path)) {
        return;
    }
#ifdef _WIN32
    CreateDirectoryW(path.c_str(), nullptr);
#else
    std::error_code ignored;
    std::filesystem::create_directory(path, ignored);
#endif
}

} // namespace

std::int32_t CreateFolderTree(const std::filesystem::path& path) {
    // The drive (D:\) or root (/) is no level of its own: the first level is made below it.
    std::filesystem::path level = path.root_path();
    std::int32_t count = 0;
    for (const std::filesystem::path& name : path.relative_path()) {
        if (name.empty()) { // after a trailing separator
            continue;
        }
        level = JoinLevel(level, name);
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

} // namespace quarrow
