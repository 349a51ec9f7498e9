#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Text.hpp"

namespace quarrow::cli {

int RunList(const std::filesystem::path& archive, Progress& progress) {
    Workspace workspace;
    if (!OpenArchive(archive, workspace, progress)) {
        return kExitFailure;
    }
    std::string listing;
    listing.reserve(workspace.Count() * 32);
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        const WorkspaceEntry& entry = workspace.Entry(position);
        listing += std::to_string(entry.size);
        listing += '\t';
        listing += std::to_string(entry.dataOffset.value_or(0));
        listing += '\t';
        listing += Utf8FromWide(entry.storedName);
        listing += '\n';
    }
    Write(Stream::Out, listing);
    return kExitSuccess;
}

} // namespace quarrow::cli
