#pragma once
// A path that the build wrote into a test as the host sees it. Under Wine the host's root is drive Z.

#include "Text.hpp"

#include <algorithm>
#include <filesystem>
#include <string>

namespace quarrow::testing {

inline std::filesystem::path HostPath(std::string path) {
#ifdef _WIN32
    if (path.starts_with('/')) {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
#endif
    return PathFromWide(WideFromUtf8(path));
}

} // namespace quarrow::testing
