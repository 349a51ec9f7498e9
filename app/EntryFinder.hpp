#pragma once
// Find in the entry list: a typed pattern against every row's whole stored name, as the engine matches
// names ("*" any run, "?" any one character, letters without regard to case, "/" as "\"); a name
// without either of them matches only itself. Positions are 1-based and ascending, the rows' own order.

#include "Workspace.hpp"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace quarrow::app {

class EntryFinder {
public:
    explicit EntryFinder(std::wstring_view pattern);

    bool Matches(const WorkspaceEntry& entry) const;

    // Every matching row.
    std::vector<std::size_t> MatchingRows(const Workspace& workspace) const;

    // The first matching row after `after` (0: from the top), going round to the top past the last row;
    // `after` itself is reached last. None when no row matches.
    std::optional<std::size_t> NextMatch(const Workspace& workspace, std::size_t after) const;

private:
    std::wstring key_;
};

} // namespace quarrow::app
