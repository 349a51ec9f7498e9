#include "EntryFinder.hpp"

#include "EntryNames.hpp"

namespace quarrow::app {

EntryFinder::EntryFinder(std::wstring_view pattern) : key_(NameMatchKey(pattern)) {}

bool EntryFinder::Matches(const WorkspaceEntry& entry) const {
    return WildcardMatches(key_, NameMatchKey(entry.storedName));
}

std::vector<std::size_t> EntryFinder::MatchingRows(const Workspace& workspace) const {
    std::vector<std::size_t> rows;
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        if (Matches(workspace.Entry(position))) {
            rows.push_back(position);
        }
    }
    return rows;
}

std::optional<std::size_t> EntryFinder::NextMatch(const Workspace& workspace, std::size_t after) const {
    const std::size_t count = workspace.Count();
    if (after > count) {
        after = 0;
    }
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t position = (after + step - 1) % count + 1;
        if (Matches(workspace.Entry(position))) {
            return position;
        }
    }
    return std::nullopt;
}

} // namespace quarrow::app
