#include "Commands.hpp"

#include "ArchiveWriter.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "FolderScanner.hpp"
#include "SystemMessage.hpp"
#include "Text.hpp"

namespace quarrow::cli {

namespace {

// Adds the inputs in order, a folder as Add folder adds it and a file as Add file does. False when
// some file could not be added: an archive that silently lacks it would be worse than none.
bool BuildWorkspace(const std::vector<std::filesystem::path>& inputs, Workspace& workspace, Progress& progress) {
    bool complete = true;
    for (const auto& input : inputs) {
        std::error_code error;
        if (std::filesystem::is_directory(input, error)) {
            AddFolder(workspace, WideFromPath(input), progress);
        } else if (auto failure = workspace.AddFileEntry(input)) {
            ReportError("cannot add " + DisplayPath(input) + ": " + SystemMessage(failure));
            complete = false;
        }
    }
    return complete;
}

} // namespace

int RunPack(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& inputs,
            Progress& progress) {
    Workspace workspace;
    if (!BuildWorkspace(inputs, workspace, progress)) {
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
    return kExitSuccess;
}

} // namespace quarrow::cli
