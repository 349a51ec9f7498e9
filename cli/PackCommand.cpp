#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "Inputs.hpp"

namespace quarrow::cli {

int RunPack(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& inputs,
            Progress& progress) {
    auto target = TakeTarget(archive);
    if (!target) {
        return kExitFailure;
    }
    Workspace workspace;
    const AddedInputs added = AddInputs(inputs, workspace, progress);
    if (!added.complete) {
        ReportError(DisplayPath(archive) + " was not written");
        return kExitFailure;
    }
    return WriteArchive(workspace, *target, progress);
}

} // namespace quarrow::cli
