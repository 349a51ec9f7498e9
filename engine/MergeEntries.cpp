#include "MergeEntries.hpp"

#include "EntryNames.hpp"

#include <string>
#include <unordered_map>

namespace quarrow {

MergeResult MergeEntries(Workspace& workspace, const Workspace& inputs) {
    std::vector<std::wstring> names;
    names.reserve(inputs.Count());
    for (std::size_t i = 1; i <= inputs.Count(); ++i) {
        names.push_back(inputs.Entry(i).storedName);
    }
    MergeResult result;
    std::unordered_map<std::wstring, std::size_t> firstOf;
    for (std::size_t i = 1; i <= inputs.Count(); ++i) {
        const auto [it, isNew] = firstOf.try_emplace(NameMatchKey(names[i - 1]), i);
        if (!isNew) {
            result.clashes.push_back({inputs.Entry(it->second).source, inputs.Entry(i).source, names[it->second - 1]});
        }
    }
    if (!result.clashes.empty()) {
        return result;
    }
    const auto found = FindEntries(workspace, names);
    for (std::size_t i = 1; i <= inputs.Count(); ++i) {
        const WorkspaceEntry& input = inputs.Entry(i);
        std::error_code failure;
        if (!found[i - 1].empty()) {
            for (const std::size_t position : found[i - 1]) {
                if (!failure) {
                    failure = workspace.ReplaceEntryData(position, input.source);
                }
            }
            result.replaced += failure ? 0 : 1;
        } else {
            if (input.origin == EntryOrigin::AddedFile) {
                failure = workspace.AddFileEntry(input.source);
            } else {
                workspace.AddFolderEntry(input.source, input.storedName, static_cast<std::uint64_t>(input.size));
            }
            result.appended += failure ? 0 : 1;
        }
        if (failure) {
            result.failures.push_back({input.source, failure});
        }
    }
    return result;
}

} // namespace quarrow
