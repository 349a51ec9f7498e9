#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Extractor.hpp"
#include "Text.hpp"

namespace quarrow::cli {

int RunExtract(const std::filesystem::path& archive, const std::filesystem::path& destination, Progress& progress) {
    Workspace workspace;
    if (!OpenArchive(archive, workspace, progress)) {
        return kExitFailure;
    }
    const ExtractionResult result = ExtractArchive(workspace, archive, destination, progress);
    for (const SkippedEntry& skipped : result.skipped) {
        ReportError("skipped entry " + std::to_string(skipped.position) + " (" + Utf8FromWide(skipped.storedName) +
                    "): " + Describe(skipped));
    }
    return result.skipped.empty() ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
