#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "Extractor.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

#include <numeric>

namespace quarrow::cli {

namespace {

void ReportSkipped(const std::vector<SkippedEntry>& skipped, const std::vector<std::size_t>& positions) {
    for (const SkippedEntry& entry : skipped) {
        ReportError("skipped entry " + std::to_string(positions[entry.position - 1]) + " (" +
                    Utf8FromWide(entry.storedName) + "): " + Describe(entry));
    }
}

int ExtractAll(const std::filesystem::path& archive, const std::filesystem::path& destination, Progress& progress) {
    Workspace workspace;
    if (!OpenArchive(archive, workspace, progress)) {
        return kExitFailure;
    }
    const ExtractionResult result = ExtractArchive(workspace, archive, destination, progress);
    std::vector<std::size_t> positions(workspace.Count());
    std::iota(positions.begin(), positions.end(), std::size_t{1});
    ReportSkipped(result.skipped, positions);
    return result.skipped.empty() ? kExitSuccess : kExitFailure;
}

// The named entries are found in the index itself and only they are opened, so that taking a few
// files out of a large archive costs about what listing it does. The entries that the names match
// are written even when some name matches nothing.
int ExtractNamed(const std::filesystem::path& archive, const std::filesystem::path& destination,
                 const std::vector<std::string>& names, Progress& progress) {
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
        ReportSkipped(result.skipped, named.positions);
        if (!result.skipped.empty()) {
            return kExitFailure;
        }
    }
    return named.allFound ? kExitSuccess : kExitFailure;
}

} // namespace

int RunExtract(const std::filesystem::path& archive, const std::filesystem::path& destination,
               const std::vector<std::string>& names, Progress& progress) {
    return names.empty() ? ExtractAll(archive, destination, progress)
                         : ExtractNamed(archive, destination, names, progress);
}

} // namespace quarrow::cli
