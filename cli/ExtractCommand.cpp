#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "Extractor.hpp"
#include "PrintableText.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

#include <algorithm>
#include <numeric>

namespace quarrow::cli {

namespace {

// Names every skipped entry, and with Verbosity::Verbose every entry written, one line each; returns the
// exit code: an entry the system would not let us write or read is an I/O failure, one whose name or
// place in the archive is wrong a problem of the archive.
int Report(const ExtractionResult& result, const Workspace& extracted, const std::vector<std::size_t>& positions,
           Verbosity verbosity) {
    for (const SkippedEntry& entry : result.skipped) {
        ReportError("skipped entry " + std::to_string(positions[entry.position - 1]) + " (" +
                    Utf8FromWide(entry.storedName) + "): " + Describe(entry));
    }
    if (verbosity == Verbosity::Verbose) {
        std::string lines;
        auto skipped = result.skipped.begin();
        for (std::size_t position = 1; position <= extracted.Count(); ++position) {
            if (skipped != result.skipped.end() && skipped->position == position) {
                ++skipped;
                continue;
            }
            lines += Utf8FromWide(Printable(extracted.Entry(position).storedName)) + "\n";
        }
        Write(Stream::Out, lines);
    }
    const auto failedInTheSystem = [](const SkippedEntry& entry) {
        // A file and a folder of one name in the archive meet as a name already taken: the archive's
        // problem, not the system's.
        const bool nameTaken = entry.error == std::errc::is_a_directory || entry.error == std::errc::not_a_directory ||
                               entry.error == std::errc::file_exists;
        return (entry.reason == SkipReason::CannotWrite && !nameTaken) || entry.reason == SkipReason::CannotRead;
    };
    if (std::any_of(result.skipped.begin(), result.skipped.end(), failedInTheSystem)) {
        return kExitIoFailure;
    }
    return result.skipped.empty() ? kExitSuccess : kExitFailure;
}

int ExtractAll(const std::filesystem::path& archive, const std::filesystem::path& destination, Verbosity verbosity,
               Progress& progress) {
    Workspace workspace;
    if (!OpenArchive(archive, workspace, progress)) {
        return kExitFailure;
    }
    const ExtractionResult result = ExtractArchive(workspace, archive, destination, progress);
    std::vector<std::size_t> positions(workspace.Count());
    std::iota(positions.begin(), positions.end(), std::size_t{1});
    return Report(result, workspace, positions, verbosity);
}

// The named entries are found in the index itself and only they are opened, so that taking a few
// files out of a large archive costs about what listing it does. The entries that the names match
// are written even when some name matches nothing.
int ExtractNamed(const std::filesystem::path& archive, const std::filesystem::path& destination,
                 const std::vector<std::string>& names, Verbosity verbosity, Progress& progress) {
    const auto check = CheckedArchive(archive);
    if (!check) {
        return kExitFailure;
    }
    const ArchiveIndex index = ReadArchiveIndex(archive, check->header);
    const NamedEntries named = FindNamedEntries(index, names, archive);
    if (!named.positions.empty()) {
        Workspace selected;
        selected.Reserve(named.positions.size());
        for (const std::size_t position : named.positions) {
            const PakEntry record = DecodeEntry(index.Record(position - 1));
            selected.AddArchiveEntry(index.Archive(), record, DecodeNameField(record.name));
        }
        const ExtractionResult result = ExtractArchive(selected, archive, destination, progress);
        if (const int exitCode = Report(result, selected, named.positions, verbosity); exitCode != kExitSuccess) {
            return exitCode;
        }
    }
    return named.allFound ? kExitSuccess : kExitFailure;
}

} // namespace

int RunExtract(const std::filesystem::path& archive, const std::filesystem::path& destination,
               const std::vector<std::string>& names, Verbosity verbosity, Progress& progress) {
    return names.empty() ? ExtractAll(archive, destination, verbosity, progress)
                         : ExtractNamed(archive, destination, names, verbosity, progress);
}

} // namespace quarrow::cli
