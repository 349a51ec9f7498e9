#pragma once
// Errors and warnings of quarrow-cli, one line each on the error stream.

#include "ArchiveReader.hpp"
#include "PakFormat.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quarrow::cli {

void ReportError(std::string_view text);

// Checks that a file is an archive whose index can be read; when it is not, says so with the program's
// message (and, for a damaged one, the reason) and returns nothing. A file that exists but cannot be
// read is reported as that, not as no archive.
std::optional<ArchiveCheck> CheckedArchive(const std::filesystem::path& archive);

// Opens an archive into the workspace as Open does and returns what its check found; nothing, with the
// reason given, when it is no archive.
std::optional<ArchiveCheck> OpenArchive(const std::filesystem::path& archive, Workspace& workspace, Progress& progress);

// A run of bytes as the messages give it: the first and the last byte, in decimal, then in the
// hexadecimal of the append command's addresses: "bytes 177 to 210 (B1h - D2h)".
std::string RangeText(const ByteRange& range);

} // namespace quarrow::cli
