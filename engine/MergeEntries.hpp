#pragma once
// Files from disk put into an opened archive's list: a file whose stored name an entry already bears
// (without regard to case, "/" as "\") replaces that entry's data in place, every entry of a repeated
// name, so that whichever one the game reads is new; the others follow the existing entries in their
// order.

#include "Workspace.hpp"

#include <cstddef>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quarrow {

// A file of the inputs whose length could not be read: the list has none of it.
struct MergeFailure {
    std::filesystem::path source;
    std::error_code error;
};

struct MergeResult {
    std::size_t replaced = 0; // inputs that replaced the data of existing entries
    std::size_t appended = 0; // inputs added behind the existing entries
    std::vector<MergeFailure> failures;
};

// `inputs` holds files from disk (Add file or Add folder entries). Every input is tried, whatever
// failed before it.
MergeResult MergeEntries(Workspace& workspace, const Workspace& inputs);

} // namespace quarrow
