#pragma once
// Open: check that a file is a PAK whose index can be served, then replace the workspace by the
// archive's entries.

#include "PakFormat.hpp"
#include "Progress.hpp"
#include "SourceArchive.hpp"
#include "File.hpp"
#include "Workspace.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quarrow {

enum class ArchiveProblem {
    CannotOpen,       // missing, or not readable
    BadMagic,         // shorter than 4 bytes, or the magic is not "PAKS" in any case
    TruncatedHeader,  // the magic, but not the 16 bytes of a header
    NegativeCount,    // the header counts fewer than 0 entries
    IndexOutsideFile, // the index begins before the file or ends after it
    Changed,          // the header is not the one that was checked: the file was rewritten meanwhile
    IndexTooLarge,    // the index, or the rows made of it, would not fit in the memory of this process
};

// An English description, for logs and the command line.
std::string_view Describe(ArchiveProblem problem);

struct ArchiveCheck {
    std::filesystem::path path;
    std::optional<ArchiveProblem> problem; // empty when the file is an archive
    std::error_code error;                 // the system's reason when it could not be opened
    PakHeader header;
    std::uint64_t fileSize = 0;

    explicit operator bool() const { return !problem; }

    // Content behind the index, which a rewrite of the archive would not keep.
    std::optional<ByteRange> Appended() const { return AppendedContent(header, fileSize); }
};

// Reads the header and judges it against the file's length (in 64-bit arithmetic). Never throws for
// what the file holds.
ArchiveCheck CheckArchive(const std::filesystem::path& path);

// Raised when an archive changed between its check and its loading.
class InvalidArchive : public std::runtime_error {
public:
    InvalidArchive(ArchiveProblem problem, std::filesystem::path path);
    ArchiveProblem Problem() const { return problem_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    ArchiveProblem problem_;
    std::filesystem::path path_;
};

// The whole index of an archive, read with one read, and the record that its entries share.
class ArchiveIndex {
public:
    ArchiveIndex(SharedSourceArchive archive, std::unique_ptr<std::uint8_t[]> records, std::size_t count)
        : archive_(std::move(archive)), records_(std::move(records)), count_(count) {}

    const SharedSourceArchive& Archive() const { return archive_; }
    std::size_t Count() const { return count_; }
    // The record at a 0-based index.
    std::span<const std::uint8_t, kEntrySize> Record(std::size_t i) const {
        return std::span<const std::uint8_t, kEntrySize>(records_.get() + kEntrySize * i, kEntrySize);
    }

private:
    SharedSourceArchive archive_;
    std::unique_ptr<std::uint8_t[]> records_; // not zeroed first: the read fills every byte
    std::size_t count_;
};

// Reads the index of the archive whose header CheckArchive read as `header`. Throws InvalidArchive when
// the archive has changed since (its header differs, or its index no longer fits the file), FileError
// when it cannot be read.
ArchiveIndex ReadArchiveIndex(const std::filesystem::path& path, const PakHeader& header);

// The index of an archive read a bounded number of records at a time, so that what a pass over it
// holds does not grow with the count that the header claims. Checks and throws as ReadArchiveIndex.
class IndexChunks {
public:
    static constexpr std::size_t kChunkEntries = 4096;

    IndexChunks(const std::filesystem::path& path, const PakHeader& header);

    const SharedSourceArchive& Archive() const { return archive_; }
    std::size_t Count() const { return count_; }
    // The next records in index order, at most kChunkEntries of them; empty after the last.
    std::span<const EntryBytes> Next();

private:
    std::filesystem::path path_;
    File file_;
    SharedSourceArchive archive_;
    std::uint64_t indexOffset_ = 0;
    std::size_t count_ = 0;
    std::size_t read_ = 0;
    std::vector<EntryBytes> chunk_;
};

// Replaces the workspace by the archive's entries, in index order, and makes the archive the current
// one. The rows are made aside and adopted only when all are made: when reading fails (FileError,
// InvalidArchive, IndexTooLarge before anything is allocated) or memory runs out, the workspace
// stays as it was.
void LoadArchive(Workspace& workspace, const std::filesystem::path& path, const PakHeader& header, Progress& progress);

} // namespace quarrow
