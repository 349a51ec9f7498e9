#include "Commands.hpp"

#include "ArchiveHealth.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "PrintableText.hpp"
#include "Text.hpp"

namespace quarrow::cli {

namespace {

// "entry 3 (A.BIN)", "entries 1, 4 and 7".
std::string EntriesText(const Workspace& opened, const std::vector<std::size_t>& entries) {
    if (entries.size() == 1) {
        return "entry " + std::to_string(entries[0]) + " (" + Utf8FromWide(opened.Entry(entries[0]).storedName) + ")";
    }
    std::string text = "entries ";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        text += i == 0 ? "" : i + 1 == entries.size() ? " and " : ", ";
        text += std::to_string(entries[i]);
    }
    return text;
}

std::string FindingText(const Workspace& opened, const Finding& finding, std::uint64_t fileSize) {
    const std::string entries = EntriesText(opened, finding.entries);
    switch (finding.kind) {
    case FindingKind::DataOutsideFile:
        return "problem: " + entries + ": its " + std::to_string(finding.range->Size()) +
               " bytes of data from offset " + std::to_string(finding.range->first) +
               " do not lie inside the file of " + std::to_string(fileSize) + " bytes";
    case FindingKind::UnsafeName:
        return "problem: " + entries + ": extraction refuses it: " + std::string(Describe(finding.nameProblem));
    case FindingKind::UndecodableName:
        return "problem: " + entries + ": the stored name is not valid code page 936 text";
    case FindingKind::RepeatedName:
        return "note: " + entries + " bear the same name, " +
               Utf8FromWide(opened.Entry(finding.entries[0]).storedName) + "; extraction keeps the last";
    case FindingKind::OverlappingData: return "note: " + entries + " share data in " + RangeText(*finding.range);
    case FindingKind::Gap:
        return "note: " + RangeText(*finding.range) + " belong to no entry, nor to the header or the index";
    case FindingKind::AppendedContent:
        return "note: appended content behind the index, " + RangeText(*finding.range) +
               ", which a rewrite does not keep";
    }
    return "note: " + entries;
}

} // namespace

int RunCheck(const std::filesystem::path& archive, Progress& progress) {
    Workspace opened;
    const auto check = OpenArchive(archive, opened, progress);
    if (!check) {
        return kExitFailure;
    }
    bool healthy = true;
    std::string lines;
    for (const Finding& finding : InspectArchive(opened, check->header, check->fileSize)) {
        lines += PrintableUtf8(FindingText(opened, finding, check->fileSize)) + "\n";
        healthy = healthy && !IsProblem(finding.kind);
    }
    Write(Stream::Out, lines);
    return healthy ? kExitSuccess : kExitFailure;
}

} // namespace quarrow::cli
