#pragma once
// Pack: every workspace entry into a new archive, in list order, byte for byte in the packer's layout.
// An entry's bytes come from its file on disk, or from the archive it was read from, streamed in
// chunks; its name field is the one it was read with, when it was read from an archive. Everything
// that could stop the pack is checked before a byte is written; the archive is written under a
// temporary name beside the target and takes the target's place only when complete, so that a
// refused, failed or interrupted pack leaves an existing target as it was, even when the target is
// the archive the entries come from.

#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

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
};

std::string_view Describe(PackProblem problem);

// A pack refused before writing, or stopped because a source changed meanwhile. Names the entry.
class PackError : public std::runtime_error {
public:
    PackError(PackProblem problem, std::size_t position, const WorkspaceEntry* entry, std::error_code error = {});
    PackProblem Problem() const { return problem_; }
    std::size_t Position() const { return position_; } // 1-based; 0 when no single entry is at fault
    const std::wstring& EntryName() const { return entryName_; }
    // Where the entry's bytes come from: its file, or its archive.
    const std::filesystem::path& Source() const { return source_; }
    std::error_code Error() const { return error_; }

private:
    PackProblem problem_;
    std::size_t position_;
    std::wstring entryName_;
    std::filesystem::path source_;
    std::error_code error_;
};

// Writes the archive at `target` (no extension is added) and, on success, puts every entry's data
// offset into the workspace, points the entries whose bytes came from an archive into the new one, and
// makes `target` the current archive. Throws PackError or FileError; the workspace is then unchanged.
void PackArchive(Workspace& workspace, const std::filesystem::path& target, Progress& progress);

} // namespace quarrow
