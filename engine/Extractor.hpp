#pragma once
// Extract: every entry of the opened archive below a chosen folder, its directory part recreated.
// Each entry is streamed from the archive in bounded memory. An entry that cannot be written safely
// (its name, its data outside the archive) or at all (the system refused) is skipped; the run goes on
// and reports every skipped entry with its reason.

#include "ExtractPath.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace quarrow {

enum class SkipReason {
    UnsafeName,         // see NameProblem
    UndecodableName,    // the name's bytes are not code page 936
    NotInArchive,       // a workspace entry without a place in the archive
    DataOutsideArchive, // offset and size reach outside the archive file
    CannotWrite,        // the system refused a folder, the file or its replacement; see the error
    CannotRead,         // the archive could not be read at the entry's data
};

struct SkippedEntry {
    std::size_t position = 0; // 1-based
    std::wstring storedName;
    SkipReason reason = SkipReason::CannotWrite;
    NameProblem nameProblem = NameProblem::Empty; // for UnsafeName
    std::error_code error;                        // for CannotWrite and CannotRead
};

std::string Describe(const SkippedEntry& skipped);

// What becomes of a file that already bears an entry's name.
enum class ExistingFiles {
    Replace, // replaced whole, and only once the entry is complete
    Keep,    // left as it is, the entry not written
};

struct ExtractionResult {
    std::size_t written = 0;
    std::size_t replaced = 0;      // of those written, how many replaced a file that was there
    std::vector<std::size_t> kept; // the positions left out for a file that was there (ExistingFiles::Keep)
    std::vector<SkippedEntry> skipped;
};

// Writes the workspace's entries from `archive` below `destination`. Each file, new or existing, takes
// its name only once the entry is complete, so that an interrupted run leaves no cut file. Throws FileError when the
// archive itself cannot be opened, and when the destination is no folder and cannot be made one.
ExtractionResult ExtractArchive(const Workspace& workspace, const std::filesystem::path& archive,
                                const std::filesystem::path& destination, Progress& progress,
                                ExistingFiles existing = ExistingFiles::Replace);

// The same for the entries at `positions` alone (1-based and ascending, as a list view reports the
// selected rows): skipped entries are named by their workspace positions. Throws std::invalid_argument,
// before anything is written, for positions out of range or out of order.
ExtractionResult ExtractSelected(const Workspace& workspace, std::span<const std::size_t> positions,
                                 const std::filesystem::path& archive, const std::filesystem::path& destination,
                                 Progress& progress, ExistingFiles existing = ExistingFiles::Replace);

} // namespace quarrow
