#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "Editing.hpp"
#include "EntryNames.hpp"
#include "Extractor.hpp"
#include "File.hpp"
#include "PrintableText.hpp"
#include "StoredName.hpp"
#include "StreamCopy.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <algorithm>
#include <numeric>
#include <optional>

namespace quarrow::cli {

namespace {

// The entries' match keys in order, so that a folder's entries follow its name.
class SortedKeys {
public:
    explicit SortedKeys(const Workspace& entries) {
        keys_.reserve(entries.Count());
        for (std::size_t position = 1; position <= entries.Count(); ++position) {
            keys_.push_back(NameMatchKey(entries.Entry(position).storedName));
        }
        std::sort(keys_.begin(), keys_.end());
    }

    // Whether `name`'s file and another entry's folder bear one name, either way round, so that the
    // archive itself keeps one of them from being written.
    bool ClashWith(std::wstring_view name) const {
        const std::wstring key = NameMatchKey(name);
        // An entry below `key` as a folder...
        const std::wstring below = key + kArchiveSeparator;
        const auto next = std::lower_bound(keys_.begin(), keys_.end(), below);
        if (next != keys_.end() && next->starts_with(below)) {
            return true;
        }
        // ...or an entry named as one of `key`'s folders.
        for (auto at = key.find(kArchiveSeparator); at != std::wstring::npos;
             at = key.find(kArchiveSeparator, at + 1)) {
            if (std::binary_search(keys_.begin(), keys_.end(), key.substr(0, at))) {
                return true;
            }
        }
        return false;
    }

private:
    std::vector<std::wstring> keys_;
};

// Whether some skipped entry failed in the system (an I/O failure) rather than in the archive.
bool AnyFailedInTheSystem(const std::vector<SkippedEntry>& skipped, const Workspace& extracted) {
    std::optional<SortedKeys> keys; // made once, and only when a write failed
    return std::any_of(skipped.begin(), skipped.end(), [&](const SkippedEntry& entry) {
        if (entry.reason == SkipReason::CannotRead) {
            return true;
        }
        if (entry.reason != SkipReason::CannotWrite) {
            return false;
        }
        if (!keys) {
            keys.emplace(extracted);
        }
        return !keys->ClashWith(entry.storedName);
    });
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
    if (AnyFailedInTheSystem(result.skipped, extracted)) {
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
    std::vector<char> buffer(kCopyChunk);
    bool complete = true;
    for (const std::size_t position : positions) {
        const PakEntry record = DecodeEntry(index.Record(position - 1));
        if (!index.Archive()->Holds(record.dataOffset, record.size)) {
            ReportError("skipped entry " + std::to_string(position) + " (" +
                        Utf8FromWide(DecodeNameField(record.name).text) +
                        "): the entry's data lies outside the archive");
            complete = false;
            continue;
        }
        const auto offset = static_cast<std::uint64_t>(record.dataOffset);
        const auto size = static_cast<std::uint64_t>(record.size);
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
