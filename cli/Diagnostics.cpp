#include "Diagnostics.hpp"

#include "ArchiveReader.hpp"
#include "Console.hpp"
#include "SystemMessage.hpp"

#include <string>

namespace quarrow::cli {

void ReportError(std::string_view text) { Write(Stream::Err, "quarrow-cli: " + std::string(text) + "\n"); }

bool OpenArchive(const std::filesystem::path& archive, Workspace& workspace, Progress& progress) {
    const ArchiveCheck check = CheckArchive(archive);
    std::error_code ignored;
    if (check.problem == ArchiveProblem::CannotOpen && std::filesystem::exists(archive, ignored)) {
        // A file that is there but cannot be read (in use, denied) may well be an archive: saying it
        // is none would send the user looking for the wrong trouble.
        ReportError("cannot open " + DisplayPath(archive) + ": " + SystemMessage(check.error));
        return false;
    }
    if (!check) {
        // The program's own message, word for word, so that scripts can look for it.
        Write(Stream::Err, DisplayPath(archive) + " 不是有效PAK文件！\n");
        if (*check.problem != ArchiveProblem::BadMagic) {
            std::string reason = DisplayPath(archive) + " " + std::string(Describe(*check.problem));
            if (check.error) {
                reason += ": " + SystemMessage(check.error);
            }
            ReportError(reason);
        }
        return false;
    }
    LoadArchive(workspace, archive, check.header, progress);
    return true;
}

} // namespace quarrow::cli
