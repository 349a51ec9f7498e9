#pragma once
// The files and folders named on the command line, as the program's Add file and Add folder take them.

#include "Progress.hpp"
#include "Workspace.hpp"

#include <filesystem>
#include <vector>

namespace quarrow::cli {

struct AddedInputs {
    // False when a file could not be added: an archive that silently lacks it would be worse than none.
    bool complete = true;
    // False when a folder's scan left out a link or a folder it met again; the archive is written
    // without them.
    bool leftNothing = true;
};

// Adds the inputs in order, a folder as Add folder adds it (its tree, named by the path relative to
// it, in upper case) and a file as Add file does (named by its file name). A file that could not be
// added, and what a folder's scan left out, are each named on the error stream.
AddedInputs AddInputs(const std::vector<std::filesystem::path>& inputs, Workspace& workspace, Progress& progress);

} // namespace quarrow::cli
