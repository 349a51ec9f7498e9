#include "Extractor.hpp"

#include "File.hpp"
#include "RemoveRowsAt.hpp"
#include "StreamCopy.hpp"
#include "SystemMessage.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <optional>
#include <variant>
#include <unordered_set>

namespace quarrow {

std::string Describe(const SkippedEntry& skipped) {
    switch (skipped.reason) {
    case SkipReason::UnsafeName: return std::string(Describe(skipped.nameProblem));
    case SkipReason::UndecodableName: return "the stored name is not valid code page 936 text";
    case SkipReason::NotInArchive: return "the entry has no place in the archive";
    case SkipReason::DataOutsideArchive: return "the entry's data lies outside the archive";
    case SkipReason::CannotWrite: return "cannot write it: " + SystemMessage(skipped.error);
    case SkipReason::CannotRead: return "cannot read it from the archive: " + SystemMessage(skipped.error);
    }
    return "skipped";
}

namespace {

// What became of an entry that was not skipped.
enum class Placed { New, Replaced, KeptExisting };

class EntryWriter {
public:
    EntryWriter(const File& archive, std::uint64_t archiveSize, ExistingFiles existing)
        : archive_(archive), archiveSize_(archiveSize), existing_(existing) {}

    std::variant<Placed, SkippedEntry> Extract(std::size_t position, const WorkspaceEntry& entry,
                                               const ExtractTarget& target) {
        SkippedEntry skipped;
        skipped.position = position;
        skipped.storedName = entry.storedName;
        if (!entry.storedNameExact) {
            skipped.reason = SkipReason::UndecodableName;
            return skipped;
        }
        if (auto problem = CheckStoredName(entry.storedName)) {
            skipped.reason = SkipReason::UnsafeName;
            skipped.nameProblem = *problem;
            return skipped;
        }
        if (!entry.dataOffset) {
            skipped.reason = SkipReason::NotInArchive;
            return skipped;
        }
        const std::int64_t offset = *entry.dataOffset;
        if (offset < 0 || entry.size < 0 || static_cast<std::uint64_t>(offset + entry.size) > archiveSize_) {
            skipped.reason = SkipReason::DataOutsideArchive;
            return skipped;
        }
        // Only a name that may be written is looked up. A file this run wrote for an earlier entry of the
        // same name is no file the user had: the last entry of a repeated name wins, as ever.
        std::error_code ignored;
        const bool existed = !writtenHere_.contains(target.file.native()) &&
                             std::filesystem::exists(std::filesystem::symlink_status(target.file, ignored));
        if (existed && existing_ == ExistingFiles::Keep) {
            return Placed::KeptExisting;
        }
        try {
            EnsureFolder(target.folder);
            Write(target.file, static_cast<std::uint64_t>(offset), static_cast<std::uint64_t>(entry.size));
        } catch (const FileError& error) {
            skipped.reason = error.Path() == archive_.Path() ? SkipReason::CannotRead : SkipReason::CannotWrite;
            skipped.error = error.Code();
            return skipped;
        }
        writtenHere_.insert(target.file.native());
        return existed ? Placed::Replaced : Placed::New;
    }

private:
    const File& archive_;
    std::uint64_t archiveSize_;
    ExistingFiles existing_;
    std::unordered_set<std::filesystem::path::string_type> writtenHere_;
    std::filesystem::path lastFolder_;
    std::vector<std::uint8_t> buffer_;

    void EnsureFolder(const std::filesystem::path& folder) {
        if (folder.native() == lastFolder_.native()) {
            return;
        }
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            CreateFolderTree(folder);
        }
        lastFolder_ = folder;
    }

    void Write(const std::filesystem::path& target, std::uint64_t offset, std::uint64_t size) {
        // Written beside its place and put there only when complete, so that an interrupted run leaves
        // no cut file under the entry's name: an existing file is replaced whole or not at all.
        TemporaryFile replacement(target);
        CopyRange(archive_, offset, replacement.Get(), 0, size, buffer_);
        replacement.Commit(false);
    }
};

// The chosen folder is made once, before the first entry: when it cannot be (a file stands in its
// place, the disk refuses), the run stops with one error instead of failing every entry for the same
// reason. An empty name is no folder at all.
void PrepareDestination(const std::filesystem::path& destination) {
    if (destination.empty()) {
        throw FileError(FileOperation::Create, destination, std::make_error_code(std::errc::invalid_argument));
    }
    std::error_code error;
    if (std::filesystem::is_directory(destination, error)) {
        return;
    }
    error.clear();
    std::filesystem::create_directories(destination, error);
    if (!error && !std::filesystem::is_directory(destination, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        throw FileError(FileOperation::Create, destination, error);
    }
}

// Extracts the entries at `positions`, or every entry when there is no selection.
ExtractionResult Extract(const Workspace& workspace, std::optional<std::span<const std::size_t>> selection,
                         const std::filesystem::path& archivePath, const std::filesystem::path& destination,
                         Progress& progress, ExistingFiles existing) {
    const ProgressShown shown(progress);
    progress.SetStep(ProgressStep::ReadingArchive);
    const std::wstring archiveText = WideFromPath(archivePath);
    progress.SetItem({.archive = archiveText});
    progress.SetVisible(ProgressBar::Stages, false);
    progress.Breathe();

    const File archive = File::Open(archivePath, File::Mode::Read);
    const std::uint64_t archiveSize = archive.Size();
    const std::size_t count = selection ? selection->size() : workspace.Count();
    const auto n = static_cast<std::int64_t>(count);
    if (n > 0) {
        PrepareDestination(destination);
    }
    progress.SetTotal(ProgressBar::Items, n);
    progress.SetStep(ProgressStep::ExtractingEntries);

    ExtractionResult result;
    EntryWriter writer(archive, archiveSize, existing);
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t position = selection ? (*selection)[k] : k + 1;
        const WorkspaceEntry& entry = workspace.Entry(position);
        const ExtractTarget target = TargetFor(destination, entry.storedName);
        const std::wstring shownFile = WideFromPath(target.file);
        const std::wstring shownFolder = WideFromPath(target.folder);
        progress.SetItem({.destination = shownFile, .destinationFolder = shownFolder});
        auto outcome = writer.Extract(position, entry, target);
        if (auto* skipped = std::get_if<SkippedEntry>(&outcome)) {
            result.skipped.push_back(std::move(*skipped));
        } else if (std::get<Placed>(outcome) == Placed::KeptExisting) {
            result.kept.push_back(position);
        } else {
            ++result.written;
            result.replaced += std::get<Placed>(outcome) == Placed::Replaced ? 1 : 0;
        }
        progress.SetDone(ProgressBar::Items, static_cast<std::int64_t>(k) + 1);
        progress.Breathe();
    }
    progress.SetItem({});
    progress.SetStep(ProgressStep::Extracted);
    return result;
}

} // namespace

ExtractionResult ExtractArchive(const Workspace& workspace, const std::filesystem::path& archivePath,
                                const std::filesystem::path& destination, Progress& progress, ExistingFiles existing) {
    return Extract(workspace, std::nullopt, archivePath, destination, progress, existing);
}

ExtractionResult ExtractSelected(const Workspace& workspace, std::span<const std::size_t> positions,
                                 const std::filesystem::path& archivePath, const std::filesystem::path& destination,
                                 Progress& progress, ExistingFiles existing) {
    RequireAscendingPositions(positions, workspace.Count());
    return Extract(workspace, positions, archivePath, destination, progress, existing);
}

} // namespace quarrow
