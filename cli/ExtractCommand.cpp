#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "EntryNames.hpp"
#include "Extractor.hpp"
#include "File.hpp"
#include "PrintableText.hpp"
#include "StoredName.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <algorithm>
#include <numeric>

namespace quarrow::cli {

namespace {

// Whether an entry's file and another entry's folder bear one name, so that the archive itself keeps
// one of them from being written.
bool ClashesWithAnotherEntry(const Workspace& extracted, const SkippedEntry& skipped) {
    const std::wstring key = NameMatchKey(skipped.storedName);
    for (std::size_t position = 1; position <= extracted.Count(); ++position) {
        const std::wstring other = NameMatchKey(extracted.Entry(position).storedName);
        const auto below = [](const std::wstring& name, const std::wstring& folder) {
            return name.size() > folder.size() && name.starts_with(folder) && name[folder.size()] == kArchiveSeparator;
        };
        if (below(other, key) || below(key, other)) {
            return true;
        }
    }
    return false;
}

// Whether a skipped entry failed in the system (an I/O failure) rather than in the archive.
bool FailedInTheSystem(const Workspace& extracted, const SkippedEntry& entry) {
    return (entry.reason == SkipReason::CannotWrite && !ClashesWithAnotherEntry(extracted, entry)) ||
           entry.reason == SkipReason::CannotRead;
}

std::string FilesText(std::size_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

// Names every skipped entry, says how many existing files were replaced or kept, and with
// Verbosity::Verbose names every entry written, one line each; returns the exit code.
int Report(const ExtractionResult& result, const Workspace& extracted, const std::vector<std::size_t>& positions,
           Verbosity verbosity) {
    for (const SkippedEntry& entry : result.skipped) {
        ReportError("skipped entry " + std::to_string(positions[entry.position - 1]) + " (" +
                    Utf8FromWide(entry.storedName) + "): " + Describe(entry));
    }
    if (verbosity == Verbosity::Verbose) {
        std::vector<bool> written(extracted.Count() + 1, true);
        for (const SkippedEntry& entry : result.skipped) {
            written[entry.position] = false;
        }
        for (const std::size_t position : result.kept) {
            written[position] = false;
        }
        std::string lines;
        for (std::size_t position = 1; position <= extracted.Count(); ++position) {
            if (written[position]) {
                lines += Utf8FromWide(Printable(extracted.Entry(position).storedName)) + "\n";
            }
        }
        Write(Stream::Out, lines);
    }
    if (verbosity != Verbosity::Quiet) {
        if (result.replaced > 0) {
            ReportError("replaced " + FilesText(result.replaced) + " that existed");
        }
        if (!result.kept.empty()) {
            ReportError("kept " + FilesText(result.kept.size()) + " that existed; their entries were not written");
        }
    }
    if (std::any_of(result.skipped.begin(), result.skipped.end(),
                    [&](const SkippedEntry& entry) { return FailedInTheSystem(extracted, entry); })) {
        return kExitIoFailure;
    }
    return result.skipped.empty() ? kExitSuccess : kExitFailure;
}

int ExtractAll(const std::filesystem::path& archive, const ExtractOptions& options, Progress& progress) {
    Workspace workspace;
    if (!OpenArchive(archive, workspace, progress)) {
        return kExitFailure;
    }
    const ExtractionResult result = ExtractArchive(workspace, archive, options.destination, progress, options.existing);
    std::vector<std::size_t> positions(workspace.Count());
    std::iota(positions.begin(), positions.end(), std::size_t{1});
    return Report(result, workspace, positions, options.verbosity);
}

// The entries' bytes one after another on the output, as `tar -O` and `unzip -p` give them.
int WriteToOutput(const std::filesystem::path& archive, const ArchiveIndex& index,
                  const std::vector<std::size_t>& positions) {
    const File file = File::Open(archive, File::Mode::Read);
    const std::uint64_t fileSize = file.Size();
    std::vector<char> buffer(1 << 16);
    bool complete = true;
    for (const std::size_t position : positions) {
        const PakEntry record = DecodeEntry(index.Record(position - 1));
        const auto offset = static_cast<std::uint64_t>(record.dataOffset);
        const auto size = static_cast<std::uint64_t>(record.size);
        if (record.dataOffset < 0 || record.size < 0 || offset + size > fileSize) {
            ReportError("skipped entry " + std::to_string(position) + " (" +
                        Utf8FromWide(DecodeNameField(record.name).text) +
                        "): the entry's data lies outside the archive");
            complete = false;
            continue;
        }
        for (std::uint64_t done = 0; done < size;) {
            const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), size - done));
            if (file.ReadAt(offset + done, buffer.data(), chunk) != chunk) {
                throw FileError(FileOperation::Read, archive, std::make_error_code(std::errc::io_error));
            }
            WriteData({buffer.data(), chunk});
            done += chunk;
        }
    }
    return complete ? kExitSuccess : kExitFailure;
}

// The named entries are found in the index itself and only they are opened, so that taking a few
// files out of a large archive costs about what listing it does. The entries that the names select
// are written even when some name selects nothing.
int ExtractNamed(const std::filesystem::path& archive, const ExtractOptions& options, Progress& progress) {
    const auto check = CheckedArchive(archive);
    if (!check) {
        return kExitFailure;
    }
    const ArchiveIndex index = ReadArchiveIndex(archive, check->header);
    NamedEntries named;
    if (options.names.empty()) {
        named.positions.resize(index.Count());
        std::iota(named.positions.begin(), named.positions.end(), std::size_t{1});
    } else {
        named = FindNamedEntries(index, options.names, archive, options.matching);
    }
    int exitCode = kExitSuccess;
    if (options.toOutput) {
        exitCode = WriteToOutput(archive, index, named.positions);
    } else if (!named.positions.empty()) {
        Workspace selected;
        selected.Reserve(named.positions.size());
        for (const std::size_t position : named.positions) {
            const PakEntry record = DecodeEntry(index.Record(position - 1));
            selected.AddArchiveEntry(index.Archive(), record, DecodeNameField(record.name));
        }
        const ExtractionResult result =
            ExtractArchive(selected, archive, options.destination, progress, options.existing);
        exitCode = Report(result, selected, named.positions, options.verbosity);
    }
    return exitCode != kExitSuccess ? exitCode : named.allFound ? kExitSuccess : kExitFailure;
}

} // namespace

int RunExtract(const std::filesystem::path& archive, const ExtractOptions& options, Progress& progress) {
    return options.names.empty() && !options.toOutput ? ExtractAll(archive, options, progress)
                                                      : ExtractNamed(archive, options, progress);
}

} // namespace quarrow::cli
