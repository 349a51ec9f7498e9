#pragma once
// Finding entries by the names users type: a typed name matches a stored name without regard to case
// (the engine's own upper case, the same on every system), "/" counts as "\", so that a path typed on
// any system finds its entry, and names that extract to one file (DATA\X.BIN, DATA\\X.BIN and
// \DATA\X.BIN) are one name.

#include "ArchiveReader.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow {

// The form in which two names match when their forms are equal.
std::wstring NameMatchKey(std::wstring_view name);

// For each of `names`, the positions (1-based, ascending) of the entries whose stored name it matches;
// empty for a name that matches none. A stored name the archive repeats gives every position of it.
std::vector<std::vector<std::size_t>> FindEntries(const Workspace& workspace, std::span<const std::wstring> names);

// The same over an archive's index, which need not be opened into a workspace for it: the positions
// are the entries' places in the index, from 1.
std::vector<std::vector<std::size_t>> FindEntries(const ArchiveIndex& index, std::span<const std::wstring> names);

} // namespace quarrow
