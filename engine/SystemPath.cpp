#include "SystemPath.hpp"

#include "modPAK.hpp"

#include <algorithm>

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

bool IsNetworkPath(std::wstring_view path) {
#ifdef _WIN32
    return path.size() >= 2 && IsSystemSeparator(path[0]) && IsSystemSeparator(path[1]);
#else
    (void)path;
    return false;
#endif
}

bool IsDriveOnly(std::wstring_view path) {
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

std::wstring CollapseSeparators(std::wstring_view path) {
    std::wstring out;
    out.reserve(path.size());
    std::size_t i = 0;
    if (IsNetworkPath(path)) {
        out.append(2, kSystemSeparator);
        i = 2;
        while (i < path.size() && IsSystemSeparator(path[i])) {
            ++i;
        }
    }
    for (; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (IsSystemSeparator(c)) {
            if (!out.empty() && out.back() == kSystemSeparator) {
                continue;
            }
            out.push_back(kSystemSeparator);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::wstring JoinSystemPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring joined(folder);
    // A separator after no folder, or after a bare drive (C:), would make the path start at a root
    // instead of where the folder stands.
    if (!joined.empty() && !IsDriveOnly(joined)) {
        joined.push_back(kSystemSeparator);
    }
    joined.append(name);
    return CollapseSeparators(joined);
}

std::wstring SystemFromStoredName(std::wstring_view stored) {
    std::wstring out(stored);
    std::replace(out.begin(), out.end(), kArchiveSeparator, kSystemSeparator);
    return out;
}

std::wstring StoredFromSystemName(std::wstring_view relative) {
    std::wstring out(relative);
    std::replace(out.begin(), out.end(), kSystemSeparator, kArchiveSeparator);
    return out;
}

} // namespace quarrow
