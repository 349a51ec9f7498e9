#pragma once
// An archive given as "-": read from standard input. The engine reads an archive at offsets, which a
// pipe cannot serve, so the stream is first copied into a file of our own in the system's temporary
// folder, which goes away with this object. Where the system can, that file has no name at all, so
// that a run ended by a signal leaves nothing behind either.

#include "File.hpp"

#include <filesystem>
#include <string_view>

namespace quarrow::cli {

inline constexpr std::string_view kStandardInputName = "-";

class ArchiveFromInput {
public:
    // Copies all of standard input. Throws FileError when the copy cannot be made.
    ArchiveFromInput();
    ~ArchiveFromInput();
    ArchiveFromInput(const ArchiveFromInput&) = delete;
    ArchiveFromInput& operator=(const ArchiveFromInput&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    File unnamed_; // the copy while it has no name, open for as long as it is read
};

} // namespace quarrow::cli
