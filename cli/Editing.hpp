#pragma once
// What the commands that change an archive share: finding entries by the names typed, refusing to
// lose appended content unasked, and writing the result.

#include "ArchiveReader.hpp"
#include "EntryNames.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace quarrow::cli {

// The entries that the typed names select (without regard to case, "/" as "\"), every entry of a
// repeated name included: by name, or also as folders and wildcard patterns.
struct NamedEntries {
    std::vector<std::size_t> positions; // 1-based, ascending, each once
    bool allFound = true;               // false when some name matched nothing; each such is named
};

NamedEntries FindNamedEntries(const Workspace& workspace, const std::vector<std::string>& names,
                              const std::filesystem::path& archive, NameMatching matching);
// The same in an archive's index, by the entries' places in it.
NamedEntries FindNamedEntries(const ArchiveIndex& index, const std::vector<std::string>& names,
                              const std::filesystem::path& archive, NameMatching matching);

// Whether the archive may be rewritten: yes when nothing lies behind its index, or when the user agreed
// to drop it; otherwise the bytes that would be lost are named.
bool MayRewrite(const ArchiveCheck& check, bool dropAppended);

// Packs the workspace into `target`; each problem of a refused pack is named, and nothing is written then.
// Returns the exit code.
int WriteArchive(Workspace& workspace, const std::filesystem::path& target, Progress& progress);

} // namespace quarrow::cli
