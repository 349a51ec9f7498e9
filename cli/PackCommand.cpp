#include "Commands.hpp"

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
        return kExitFailure;
    }
    if (WriteArchive(workspace, *target, progress) != kExitSuccess) {
        return kExitFailure;
    }
    return added.leftNothing ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
