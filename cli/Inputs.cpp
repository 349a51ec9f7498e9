#include "Inputs.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "FolderScanner.hpp"
#include "SystemMessage.hpp"
#include "Text.hpp"

namespace quarrow::cli {

bool AddInputs(const std::vector<std::filesystem::path>& inputs, Workspace& workspace, Progress& progress) {
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

} // namespace quarrow::cli
