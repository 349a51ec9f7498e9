#pragma once
// Pack: every workspace entry into a new archive, in list order, byte for byte in the packer's layout.
// An entry's bytes come from its file on disk, or from the archive it was read from, streamed in
// chunks; its name field is the one it was read with, when it was read from an archive. Everything
// that could stop the pack is checked before a byte is written; the archive is written under a
// temporary name beside the target and takes the target's place only when complete, so that a
// refused, failed or interrupted pack leaves an existing target as it was, even when the target is
// the archive the entries come from.

#include "ArchiveTarget.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quarrow {

enum class PackProblem {
    EmptyWorkspace,       // nothing to pack
    NoSource,             // the entry has neither a file nor an archive to take its bytes from
    NameEmpty,            // no name to store
    NameUnrepresentable,  // a character of the name has no code page 936 form
    NameTooLong,          // the name takes more than 40 bytes in code page 936
    SourceUnreadable,     // the source file or archive is missing or cannot be read
    SourceShorter,        // the source is shorter than its recorded size
    DataOutsideArchive,   // the entry's data lies outside the archive it comes from
    SourceArchiveChanged, // the archive the entry comes from is not as it was when it was opened
    TooLarge,             // the data would end beyond 2,147,483,647 bytes
    SourceResized,        // the source file's size changed while it was copied
    SourceIsTarget,       // the source file is the archive being written
    // The target as a whole (position 0, `source` names it):
    TargetNotAFile,   // a folder, a device or a pipe, or a path that leads to no file
    TargetReadOnly,   // it may not be written (no write permission, or the read-only attribute)
    TargetHardLinked, // it has further names, which a new file in its place would part from it
    TargetLocked,     // another run is writing it
    TargetChanged,    // another program changed or replaced it while the archive was written
};

std::string_view Describe(PackProblem problem);

// One reason a pack cannot go on, and the entry it concerns.
struct PackIssue {
    PackProblem problem = PackProblem::EmptyWorkspace;
    std::size_t position = 0;     // 1-based; 0 when no single entry is at fault
    std::wstring entryName;       // its name inside the archive
    std::filesystem::path source; // where its bytes come from: its file on disk, or the archive it was read from
    bool fromArchive = false;     // `source` is the archive the entry was read from
    std::error_code error;        // the system's reason, when there is one
};

// "entry 3 (SOURCE): the reason", "entry 3 (NAME in ARCHIVE): the reason", "TARGET: the reason" for
// the target as a whole, or the reason alone.
std::string Describe(const PackIssue& issue);

// A pack refused before writing, naming every problem the whole list has at once, so that they can
// all be mended before the next try; or stopped because a source changed meanwhile, naming that one.
class PackError : public std::runtime_error {
public:
    explicit PackError(std::vector<PackIssue> problems); // not empty
    PackError(PackProblem problem, std::size_t position, const WorkspaceEntry* entry, std::error_code error = {});

    // In list order; never empty.
    const std::vector<PackIssue>& Problems() const { return problems_; }
    PackProblem Problem() const { return problems_.front().problem; } // the first problem's
    std::size_t Position() const { return problems_.front().position; }

private:
    std::vector<PackIssue> problems_;
};

// Writes the archive at `target` (no extension is added) and, on success, puts every entry's data
// offset into the workspace, points the entries whose bytes came from an archive into the new one, and
// makes `target` the current archive. Throws PackError or FileError; the workspace is then unchanged.
void PackArchive(Workspace& workspace, const std::filesystem::path& target, Progress& progress);
// Whether a list without entries makes an archive: not when packing files (nothing to pack), yes when
// an edit removed every entry of an archive, which then stays a valid archive of no entries.
enum class EmptyList { Refused, Written };

// The same into a target that the caller took (and locked) before it read what it packs.
void PackArchive(Workspace& workspace, ArchiveTarget& target, Progress& progress,
                 EmptyList emptyList = EmptyList::Refused);

} // namespace quarrow
