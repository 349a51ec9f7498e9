#pragma once
// Append content: copies whole files behind the end of an archive, each after a carriage return and
// line feed, without touching its header or index, and tells where each file's bytes now lie.

#include "Progress.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace quarrow {

struct AppendedBlock {
    std::int64_t first = 0; // offset of the file's first byte in the archive: P + 2
    std::int64_t last = 0;  // offset of its last byte: P + 1 + s

    // "B3h - BCh": LongToHex of both, each followed by "h".
    std::wstring AddressText() const;
};

enum class AppendSkip {
    Unreadable,      // the file could not be opened or read through
    ArchiveTooLarge, // its block would take the archive beyond 2,147,483,647 bytes
};

struct AppendOutcome {
    std::filesystem::path source;
    std::optional<AppendedBlock> block; // empty when the file was skipped
    AppendSkip skip = AppendSkip::Unreadable;
    std::error_code error;
};

std::string Describe(const AppendOutcome& outcome);

// Raised when the whole run is refused before any byte is written, because the archive would grow
// beyond 2,147,483,647 bytes.
class AppendRefused : public std::runtime_error {
public:
    AppendRefused(std::filesystem::path archive, std::int64_t wouldBe);
    const std::filesystem::path& Archive() const { return archive_; }
    std::int64_t WouldBe() const { return wouldBe_; }

private:
    std::filesystem::path archive_;
    std::int64_t wouldBe_;
};

// Appends each file in order. A file's length is taken when it is read, and used both for its address
// text and for the next position. A file that cannot be read is skipped and reported. A failing write
// to the archive cuts it back to its length before the run and is rethrown (FileError). An archive that
// another run is writing is refused at once (FileError with HeldByAnotherWriter).
std::vector<AppendOutcome> AppendContents(const std::filesystem::path& archive,
                                          const std::vector<std::filesystem::path>& files, Progress& progress);

} // namespace quarrow
