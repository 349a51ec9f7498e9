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

// How a typed name selects entries.
enum class NameMatching {
    Exact,              // the entries of that stored name
    FoldersAndPatterns, // also every entry below a folder of that name ("DATA", "DATA/"), and, for a
                        // name holding "*" or "?", the entries whose whole stored name it matches
};

// Whether a typed name is a pattern under NameMatching::FoldersAndPatterns: it holds "*" or "?".
bool IsNamePattern(std::wstring_view name);

// Whether `text` matches `pattern`, where "*" stands for any run of characters ("" included) and "?"
// for any one character. Both are match keys.
bool WildcardMatches(std::wstring_view pattern, std::wstring_view text);

// For each of `names`, the positions (1-based, ascending) of the entries that it selects; empty for a
// name that selects none. A stored name the archive repeats gives every position of it.
std::vector<std::vector<std::size_t>> FindEntries(const Workspace& workspace, std::span<const std::wstring> names,
                                                  NameMatching matching = NameMatching::Exact);

// The same over an archive's index, which need not be opened into a workspace for it: the positions
// are the entries' places in the index, from 1.
std::vector<std::vector<std::size_t>> FindEntries(const ArchiveIndex& index, std::span<const std::wstring> names,
                                                  NameMatching matching = NameMatching::Exact);

} // namespace quarrow
