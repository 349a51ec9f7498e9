#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"

namespace quarrow::cli {

int RunDelete(const std::filesystem::path& archive, const EditOptions& options, const std::vector<std::string>& names,
              Progress& progress) {
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
    // A name that matches nothing is most likely mistyped: nothing is written then, rather than an
    // archive that still holds what the user meant to remove.
    const NamedEntries named = FindNamedEntries(workspace, names, archive, options.matching);
    const bool mayRewrite = MayRewrite(*check, workspace, options.dropAppended);
    const std::filesystem::path target = options.output.empty() ? archive : options.output;
    if (!named.allFound || !mayRewrite) {
        ReportError("nothing was deleted; " + DisplayPath(target) + " was not written");
        return kExitFailure;
    }
    workspace.RemoveSelectedEntries(named.positions);
    return WriteArchive(workspace, *taken, progress, EmptyList::Written);
}

} // namespace quarrow::cli
