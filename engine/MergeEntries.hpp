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

// Two inputs that would be stored under one name (as names match): which one meant to be there cannot
// be told.
struct NameClash {
    std::filesystem::path first;
    std::filesystem::path second;
    std::wstring storedName; // the first's
};

struct MergeResult {
    std::size_t replaced = 0; // inputs that replaced the data of existing entries
    std::size_t appended = 0; // inputs added behind the existing entries
    std::vector<MergeFailure> failures;
    std::vector<NameClash> clashes; // when any, nothing was merged
};

// `inputs` holds files from disk (Add file or Add folder entries). Inputs that would share a stored name
// are refused together, the list unchanged; otherwise every input is tried, whatever failed before it.
MergeResult MergeEntries(Workspace& workspace, const Workspace& inputs);

} // namespace quarrow
