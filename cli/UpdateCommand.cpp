#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "EntryNames.hpp"
#include "Inputs.hpp"
#include "SystemMessage.hpp"

namespace quarrow::cli {

namespace {

// Puts the inputs into the opened archive: an input whose name an entry bears replaces that entry's
// data in place (every entry of a repeated name, so that whichever the game reads is new); the others
// follow the existing entries in their order. False, with the file named, when one could not be read.
bool MergeInputs(Workspace& workspace, const Workspace& inputs) {
    std::vector<std::wstring> names;
    names.reserve(inputs.Count());
    for (std::size_t i = 1; i <= inputs.Count(); ++i) {
        names.push_back(inputs.Entry(i).storedName);
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
        } else if (input.origin == EntryOrigin::AddedFile) {
            failure = workspace.AddFileEntry(input.source);
        } else {
            workspace.AddFolderEntry(input.source, input.storedName, static_cast<std::uint64_t>(input.size));
        }
        if (failure) {
            ReportError("cannot add " + DisplayPath(input.source) + ": " + SystemMessage(failure));
            return false;
        }
    }
    return true;
}

} // namespace

int RunUpdate(const std::filesystem::path& archive, const EditOptions& options,
              const std::vector<std::filesystem::path>& inputs, Progress& progress) {
    Workspace workspace;
    const auto check = OpenArchive(archive, workspace, progress);
    if (!check) {
        return kExitFailure;
    }
    const std::filesystem::path target = options.output.empty() ? archive : options.output;
    const auto notWritten = [&] {
        ReportError(DisplayPath(target) + " was not written");
        return kExitFailure;
    };
    if (!MayRewrite(*check, options.dropAppended)) {
        return notWritten();
    }
    Workspace inputEntries;
    const AddedInputs added = AddInputs(inputs, inputEntries, progress);
    if (!added.complete || !MergeInputs(workspace, inputEntries)) {
        return notWritten();
    }
    if (WriteArchive(workspace, target, progress) != kExitSuccess) {
        return kExitFailure;
    }
    return added.leftNothing ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
