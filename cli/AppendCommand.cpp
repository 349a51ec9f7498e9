#include "Commands.hpp"

#include "ArchiveReader.hpp"
#include "Console.hpp"
#include "ContentAppender.hpp"
#include "Diagnostics.hpp"
#include "Text.hpp"

namespace quarrow::cli {

namespace {

// The block's bytes in decimal beside the program's hexadecimal addresses, as update and check give
// ranges: "bytes 179 to 188", or "0 bytes at 179" for an empty file.
std::string DecimalRange(const AppendedBlock& block) {
    if (block.last < block.first) {
        return "0 bytes at " + std::to_string(block.first);
    }
    return "bytes " + std::to_string(block.first) + " to " + std::to_string(block.last);
}

} // namespace

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
            lines += Utf8FromWide(outcome.block->AddressText()) + "\t" + DecimalRange(*outcome.block) + "\t" +
                     DisplayPath(outcome.source) + "\n";
        } else {
            ReportError("skipped " + DisplayPath(outcome.source) + ": " + Describe(outcome));
            complete = false;
        }
    }
    Write(Stream::Out, lines);
    return complete ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
