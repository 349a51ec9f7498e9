#include "Inputs.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "FolderScanner.hpp"
#include "SystemMessage.hpp"

namespace quarrow::cli {

namespace {

void ReportLeftOut(const ScanReport& report) {
    for (const UnreachableLink& link : report.unreachableLinks) {
        ReportError("skipped link " + DisplayPath(link.path) +
                    ": its target cannot be opened: " + SystemMessage(link.error));
    }
    for (const UnusableItem& item : report.unusable) {
        ReportError("left out " + DisplayPath(item.path) + ": " + SystemMessage(item.error));
    }
    for (const RepeatedFolder& folder : report.repeatedFolders) {
        ReportError("skipped folder " + DisplayPath(folder.path) + ": it is the folder " +
                    DisplayPath(folder.enteredAs) + ", packed already");
    }
}

} // namespace

AddedInputs AddInputs(const std::vector<std::filesystem::path>& inputs, Workspace& workspace, Progress& progress) {
    AddedInputs added;
    for (const auto& input : inputs) {
        std::error_code error;
        if (std::filesystem::is_directory(input, error)) {
            const FolderAdded folder = AddFolder(workspace, input, progress);
            ReportLeftOut(folder.report);
            added.complete = added.complete && folder.report.Empty();
        } else if (auto failure = workspace.AddFileEntry(input)) {
            ReportError("cannot add " + DisplayPath(input) + ": " + SystemMessage(failure));
            added.complete = false;
        }
    }
    return added;
}

} // namespace quarrow::cli
