#include "Commands.hpp"

#include "Editing.hpp"
#include "Inputs.hpp"

namespace quarrow::cli {

int RunPack(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& inputs,
            Progress& progress) {
    Workspace workspace;
    if (!AddInputs(inputs, workspace, progress)) {
        return kExitFailure;
    }
    return WriteArchive(workspace, archive, progress);
}

} // namespace quarrow::cli
