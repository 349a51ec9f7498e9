#include "MergeEntries.hpp"

#include "EntryNames.hpp"

#include <string>

namespace quarrow {

MergeResult MergeEntries(Workspace& workspace, const Workspace& inputs) {
    std::vector<std::wstring> names;
    names.reserve(inputs.Count());
    for (std::size_t i = 1; i <= inputs.Count(); ++i) {
        names.push_back(inputs.Entry(i).storedName);
    }
    // Matched against the list as it was: two inputs of a new name are both added, as Add file lists a
    // file picked twice.
    const auto found = FindEntries(workspace, names);
    MergeResult result;
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
