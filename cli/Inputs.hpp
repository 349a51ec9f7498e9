#pragma once
// The files and folders named on the command line, as the program's Add file and Add folder take them.

#include "Progress.hpp"
#include "Workspace.hpp"

#include <filesystem>
#include <vector>

namespace quarrow::cli {

// Adds the inputs in order, a folder as Add folder adds it (its tree, named by the path relative to
// it, in upper case) and a file as Add file does (named by its file name). False, with each named on
// the error stream, when some file could not be added: an archive that silently lacks it would be
// worse than none.
bool AddInputs(const std::vector<std::filesystem::path>& inputs, Workspace& workspace, Progress& progress);

} // namespace quarrow::cli
