#pragma once
// What the commands that change an archive share: finding entries by the names typed, refusing to
// lose appended content unasked, and writing the result.

#include "ArchiveReader.hpp"
#include "EntryNames.hpp"
#include "ArchiveTarget.hpp"
#include "ArchiveWriter.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <filesystem>
#include <optional>
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

// Whether the archive, opened into `opened`, may be rewritten: yes when every byte is header, index or
// an entry's data, or when the user agreed to drop the others; otherwise their ranges are named.
bool MayRewrite(const ArchiveCheck& check, const Workspace& opened, bool dropAppended);

// Takes the file a command will write (see ArchiveTarget) before the command reads anything; empty,
// with the reason named, when it may not be written.
std::optional<ArchiveTarget> TakeTarget(const std::filesystem::path& target);

// Packs the workspace into `target`; each problem of a refused pack is named, and nothing is written then.
// Returns the exit code.
int WriteArchive(Workspace& workspace, ArchiveTarget& target, Progress& progress,
                 EmptyList emptyList = EmptyList::Refused);

} // namespace quarrow::cli
