#pragma once
// Errors and warnings of quarrow-cli, one line each on the error stream.

#include "Progress.hpp"
#include "Workspace.hpp"

#include <filesystem>
#include <string_view>

namespace quarrow::cli {

void ReportError(std::string_view text);

// Opens an archive into the workspace as Open does; when it is no archive, says so with the program's
// message (and, for a damaged one, the reason) and returns false. A file that exists but cannot be
// read is reported as that, not as no archive.
bool OpenArchive(const std::filesystem::path& archive, Workspace& workspace, Progress& progress);

} // namespace quarrow::cli
