#include "Commands.hpp"

#include "ArchiveReader.hpp"
#include "Console.hpp"
#include "ContentAppender.hpp"
#include "Diagnostics.hpp"
#include "Text.hpp"

namespace quarrow::cli {

int RunAppend(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
              Progress& progress) {
    // The program appends only to the archive it has open; here the archive is typed, so a file that
    // is no archive at all is refused rather than extended.
    const ArchiveCheck check = CheckArchive(archive);
    if (!check) {
        Workspace unused;
        OpenArchive(archive, unused, progress);
        return kExitFailure;
    }
    const auto outcomes = AppendContents(archive, files, progress);
    bool complete = true;
    std::string lines;
    for (const AppendOutcome& outcome : outcomes) {
        if (outcome.block) {
            lines += Utf8FromWide(outcome.block->AddressText()) + "\t" + DisplayPath(outcome.source) + "\n";
        } else {
            ReportError("skipped " + DisplayPath(outcome.source) + ": " + Describe(outcome));
            complete = false;
        }
    }
    Write(Stream::Out, lines);
    return complete ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
