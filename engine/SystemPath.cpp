#include "SystemPath.hpp"

namespace quarrow {

bool IsSystemSeparator(wchar_t c) {
#ifdef _WIN32
    return c == L'\\' || c == L'/';
#else
    return c == L'/';
#endif
}

namespace {

std::size_t LastSeparator(std::wstring_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSystemSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::wstring_view::npos;
}

bool EndsInSeparator(const std::filesystem::path::string_type& path) {
#ifdef _WIN32
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
#else
    return !path.empty() && path.back() == '/';
#endif
}

bool IsDriveOnly(const std::filesystem::path::string_type& path) {
#ifdef _WIN32
    return path.size() == 2 && path[1] == L':';
#else
    (void)path;
    return false;
#endif
}

} // namespace

std::wstring SystemPathHead(std::wstring_view path) {
    const std::size_t last = LastSeparator(path);
    if (last == std::wstring_view::npos || last == 0) {
        return {};
    }
    return std::wstring(path.substr(0, last));
}

std::wstring SystemPathTail(std::wstring_view path) {
    const std::size_t last = LastSeparator(path);
    return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

std::filesystem::path JoinLevel(const std::filesystem::path& folder, const std::filesystem::path& level) {
    std::filesystem::path joined = folder;
    const auto& text = folder.native();
    if (!text.empty() && !EndsInSeparator(text) && !IsDriveOnly(text)) {
        joined += std::filesystem::path::preferred_separator;
    }
    joined += level.native();
    return joined;
}

} // namespace quarrow
