#pragma once
// Opening a file in the program the system associates with its kind, as a double-click in Explorer
// does.

#include <windows.h>

#include <filesystem>
#include <functional>
#include <system_error>

namespace quarrow::app {

// Opens `file` with its associated program; the system's reason when it cannot (no program is
// associated, the file is gone, ...). Returns once the program has been started.
std::error_code OpenWithAssociatedProgram(HWND owner, const std::filesystem::path& file);

// The seam for it, so that tests need not start programs.
using FileOpener = std::function<std::error_code(HWND owner, const std::filesystem::path& file)>;

} // namespace quarrow::app
