#pragma once
// Everything below a folder, names and contents, so that a test can say "nothing here changed" in one
// comparison: no file lost, none damaged, none added (a forgotten temporary file included).

#include "TempDir.hpp"

#include <filesystem>
#include <map>
#include <string>

namespace quarrow::testing {

// Relative path ("/" between levels) to content; folders map to "<folder>".
using FolderSnapshot = std::map<std::string, std::string>;

inline FolderSnapshot SnapshotOf(const std::filesystem::path& root) {
    FolderSnapshot snapshot;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        const std::string name = item.path().lexically_relative(root).generic_string();
        if (item.is_directory()) {
            snapshot[name] = "<folder>";
        } else {
            const auto bytes = ReadFileBytes(item.path());
            snapshot[name] = std::string(bytes.begin(), bytes.end());
        }
    }
    return snapshot;
}

} // namespace quarrow::testing
