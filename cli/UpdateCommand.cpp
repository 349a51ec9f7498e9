#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "MergeEntries.hpp"
#include "Inputs.hpp"
#include "SystemMessage.hpp"
#include "Text.hpp"

namespace quarrow::cli {

int RunUpdate(const std::filesystem::path& archive, const EditOptions& options,
              const std::vector<std::filesystem::path>& inputs, Progress& progress) {
    // Taken before the archive is read, so that no other writer can change it in between.
    auto taken = TakeTarget(options.output.empty() ? archive : options.output);
    if (!taken) {
        return kExitFailure;
    }
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
    if (!MayRewrite(*check, workspace, options.dropAppended)) {
        return notWritten();
    }
    Workspace inputEntries;
    const AddedInputs added = AddInputs(inputs, inputEntries, progress);
    if (!added.complete) {
        return notWritten();
    }
    // An input whose name an entry bears replaces its data in place; the others follow.
    const MergeResult merged = MergeEntries(workspace, inputEntries);
    for (const NameClash& clash : merged.clashes) {
        ReportError("cannot add both " + DisplayPath(clash.first) + " and " + DisplayPath(clash.second) +
                    ": they would be stored under one name, " + Utf8FromWide(clash.storedName));
    }
    for (const MergeFailure& failure : merged.failures) {
        ReportError("cannot add " + DisplayPath(failure.source) + ": " + SystemMessage(failure.error));
    }
    if (!merged.failures.empty() || !merged.clashes.empty()) {
        return notWritten();
    }
    return WriteArchive(workspace, *taken, progress);
}

} // namespace quarrow::cli
