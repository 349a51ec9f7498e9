#include "Commands.hpp"

#include "ArchiveDiff.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Extractor.hpp"
#include "PrintableText.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

namespace quarrow::cli {

namespace {

// diff's and cmp's answer for "could not compare", which scripts that call them already know.
constexpr int kTrouble = 2;

char Letter(DifferenceKind kind) {
    switch (kind) {
    case DifferenceKind::Added: return 'A';
    case DifferenceKind::Removed: return 'D';
    case DifferenceKind::Changed: return 'M';
    case DifferenceKind::Respelled: return 'S';
    }
    return '?';
}

std::wstring NameAt(const ArchiveIndex& index, std::size_t position) {
    return DecodeNameField(DecodeEntry(index.Record(position - 1)).name).text;
}

int Compare(const std::filesystem::path& older, const std::filesystem::path& newer,
            const std::filesystem::path& extractTo, Progress& progress) {
    const auto oldCheck = CheckedArchive(older);
    const auto newCheck = CheckedArchive(newer);
    if (!oldCheck || !newCheck) {
        return kTrouble;
    }
    const ArchiveIndex oldIndex = ReadArchiveIndex(older, oldCheck->header);
    const ArchiveIndex newIndex = ReadArchiveIndex(newer, newCheck->header);
    const auto differences = CompareArchives({*oldCheck, oldIndex}, {*newCheck, newIndex});

    std::string lines;
    Workspace shipped; // what a mod of NEW over OLD consists of: its added and changed entries
    for (const Difference& difference : differences) {
        std::wstring name = L"APPENDED";
        if (!difference.appendedContent) {
            name = difference.newPosition != 0 ? NameAt(newIndex, difference.newPosition)
                                               : NameAt(oldIndex, difference.oldPosition);
        }
        lines += Letter(difference.kind);
        lines += ' ' + Utf8FromWide(Printable(name)) + '\n';
        const bool ships = difference.kind == DifferenceKind::Added || difference.kind == DifferenceKind::Changed;
        if (ships && !difference.appendedContent) {
            const PakEntry record = DecodeEntry(newIndex.Record(difference.newPosition - 1));
            shipped.AddArchiveEntry(newIndex.Archive(), record, DecodeNameField(record.name));
        }
    }
    Write(Stream::Out, lines);
    if (!extractTo.empty() && shipped.Count() > 0) {
        const ExtractionResult result = ExtractArchive(shipped, newer, extractTo, progress);
        for (const SkippedEntry& entry : result.skipped) {
            ReportError("skipped " + Utf8FromWide(entry.storedName) + ": " + Describe(entry));
        }
        if (!result.skipped.empty()) {
            return kTrouble;
        }
    }
    // As diff and cmp answer: 0 the same, 1 different, 2 trouble.
    return differences.empty() ? kExitSuccess : kExitFailure;
}

} // namespace

int RunDiff(const std::filesystem::path& older, const std::filesystem::path& newer,
            const std::filesystem::path& extractTo, Progress& progress) {
    try {
        return Compare(older, newer, extractTo, progress);
    } catch (const std::exception& error) {
        ReportError(error.what());
        return kTrouble;
    }
}

} // namespace quarrow::cli
