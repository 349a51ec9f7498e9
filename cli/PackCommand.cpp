#include "Commands.hpp"

#include "ArchiveWriter.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "FolderScanner.hpp"
#include "SystemMessage.hpp"
#include "Text.hpp"

namespace quarrow::cli {

namespace {

// What a folder's scan left out; the archive is packed without it.
void ReportLeftOut(const ScanReport& report) {
    for (const UnreachableLink& link : report.unreachableLinks) {
        ReportError("skipped link " + Utf8FromWide(link.path) +
                    ": its target cannot be opened: " + SystemMessage(link.error));
    }
    for (const RepeatedFolder& folder : report.repeatedFolders) {
        ReportError("skipped folder " + Utf8FromWide(folder.path) + ": it is the folder " +
                    Utf8FromWide(folder.enteredAs) + ", packed already");
    }
}

struct BuiltWorkspace {
    // False when a file could not be added: an archive that silently lacks it would be worse than none.
    bool complete = true;
    // False when a folder's scan left out a link or a folder it met again, each named on stderr.
    bool leftNothing = true;
};

// Adds the inputs in order, a folder as Add folder adds it and a file as Add file does.
BuiltWorkspace BuildWorkspace(const std::vector<std::filesystem::path>& inputs, Workspace& workspace,
                              Progress& progress) {
    BuiltWorkspace built;
    for (const auto& input : inputs) {
        std::error_code error;
        if (std::filesystem::is_directory(input, error)) {
            const FolderAdded added = AddFolder(workspace, WideFromPath(input), progress);
            ReportLeftOut(added.report);
            built.leftNothing = built.leftNothing && added.report.Empty();
        } else if (auto failure = workspace.AddFileEntry(input)) {
            ReportError("cannot add " + DisplayPath(input) + ": " + SystemMessage(failure));
            built.complete = false;
        }
    }
    return built;
}

} // namespace

int RunPack(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& inputs,
            Progress& progress) {
    Workspace workspace;
    const BuiltWorkspace built = BuildWorkspace(inputs, workspace, progress);
    if (!built.complete) {
        return kExitFailure;
    }
    try {
        PackArchive(workspace, archive, progress);
    } catch (const PackError& error) {
        for (const PackIssue& problem : error.Problems()) {
            ReportError("cannot pack " + Describe(problem));
        }
        ReportError(DisplayPath(archive) + " was not written");
        return kExitFailure;
    }
    return built.leftNothing ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
