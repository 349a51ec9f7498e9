#pragma once
// The files and folders named on the command line, as the program's Add file and Add folder take them.

#include "Progress.hpp"
#include "Workspace.hpp"

#include <filesystem>
#include <vector>

namespace quarrow::cli {

struct AddedInputs {
    // False when a file could not be added, or a folder's scan left anything out (a link, a folder it
    // met again or could not read, an item it could not take): an archive that lacks it would be worse
    // than none.
    bool complete = true;
};

// Adds the inputs in order, a folder as Add folder adds it (its tree, named by the path relative to
// it, in upper case) and a file as Add file does (named by its file name). A file that could not be
// added, and what a folder's scan left out, are each named on the error stream.
AddedInputs AddInputs(const std::vector<std::filesystem::path>& inputs, Workspace& workspace, Progress& progress);

} // namespace quarrow::cli
