#include "ArchiveReader.hpp"

#include "File.hpp"
#include "ProcessMemory.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

#include <algorithm>
#include <vector>

namespace quarrow {

std::string_view Describe(ArchiveProblem problem) {
    switch (problem) {
    case ArchiveProblem::CannotOpen: return "cannot be opened";
    case ArchiveProblem::BadMagic: return "does not begin with the PAKS magic";
    case ArchiveProblem::TruncatedHeader: return "ends inside its header";
    case ArchiveProblem::NegativeCount: return "has a negative entry count";
    case ArchiveProblem::IndexOutsideFile: return "has an index that does not lie inside the file";
    case ArchiveProblem::Changed: return "has changed since it was checked";
    case ArchiveProblem::IndexTooLarge: return "has an index too large for the memory of this computer";
    }
    return "is damaged";
}

namespace {

std::optional<ArchiveProblem> JudgeIndex(const PakHeader& header, std::uint64_t fileSize) {
    if (header.entryCount < 0) {
        return ArchiveProblem::NegativeCount;
    }
    if (header.entryCount == 0) {
        return std::nullopt; // nothing to read, wherever the index is said to be
    }
    const std::int64_t indexEnd =
        static_cast<std::int64_t>(header.indexOffset) + static_cast<std::int64_t>(kEntrySize) * header.entryCount;
    if (header.indexOffset < 0 || static_cast<std::uint64_t>(indexEnd) > fileSize) {
        return ArchiveProblem::IndexOutsideFile;
    }
    // A count that fits the file may still not fit a 32-bit size, where its product would wrap.
    if (!FitsInProcessMemory(static_cast<std::uint64_t>(header.entryCount), kEntrySize)) {
        return ArchiveProblem::IndexTooLarge;
    }
    return std::nullopt;
}

// What one loaded entry costs: its row and the text of its name beside the record it was read from.
constexpr std::uint64_t kLoadedEntryBytes = sizeof(WorkspaceEntry) + 2 * kEntrySize;

// Opens the archive again and makes sure it is still the one whose header was checked.
File OpenCheckedArchive(const std::filesystem::path& path, const PakHeader& header, HeaderBytes& headerBytes) {
    File file = File::Open(path, File::Mode::Read);
    if (file.ReadAt(0, headerBytes.data(), headerBytes.size()) != headerBytes.size() ||
        DecodeHeader(headerBytes) != header) {
        throw InvalidArchive(ArchiveProblem::Changed, path);
    }
    if (auto problem = JudgeIndex(header, file.Size())) {
        throw InvalidArchive(*problem, path);
    }
    return file;
}

} // namespace

ArchiveCheck CheckArchive(const std::filesystem::path& path) {
    ArchiveCheck check;
    check.path = path;
    HeaderBytes bytes{};
    std::size_t read = 0;
    try {
        const File file = File::Open(path, File::Mode::Read);
        check.fileSize = file.Size();
        read = file.ReadAt(0, bytes.data(), bytes.size());
    } catch (const FileError& error) {
        check.problem = ArchiveProblem::CannotOpen;
        check.error = error.Code();
        return check;
    }
    if (!HasPakMagic(std::span<const std::uint8_t>(bytes.data(), read))) {
        check.problem = ArchiveProblem::BadMagic;
        return check;
    }
    if (read < kHeaderSize) {
        check.problem = ArchiveProblem::TruncatedHeader;
        return check;
    }
    check.header = DecodeHeader(bytes);
    check.problem = JudgeIndex(check.header, check.fileSize);
    return check;
}

InvalidArchive::InvalidArchive(ArchiveProblem problem, std::filesystem::path path)
    : std::runtime_error(Utf8FromWide(WideFromPath(path)) + " " + std::string(Describe(problem))), problem_(problem),
      path_(std::move(path)) {}

ArchiveIndex ReadArchiveIndex(const std::filesystem::path& path, const PakHeader& header) {
    HeaderBytes headerBytes{};
    File file = OpenCheckedArchive(path, header, headerBytes);
    const std::uint64_t size = file.Size();
    const auto count = static_cast<std::size_t>(header.entryCount);
    auto records = std::make_unique_for_overwrite<std::uint8_t[]>(kEntrySize * count);
    if (file.ReadAt(static_cast<std::uint64_t>(header.indexOffset), records.get(), kEntrySize * count) !=
        kEntrySize * count) {
        throw InvalidArchive(ArchiveProblem::IndexOutsideFile, path);
    }
    const FileIdentity identity = file.Identity();
    file.Close();
    return ArchiveIndex(std::make_shared<const SourceArchive>(path, size, headerBytes, identity), std::move(records),
                        count);
}

IndexChunks::IndexChunks(const std::filesystem::path& path, const PakHeader& header) : path_(path) {
    HeaderBytes headerBytes{};
    file_ = OpenCheckedArchive(path, header, headerBytes);
    archive_ = std::make_shared<const SourceArchive>(path, file_.Size(), headerBytes, file_.Identity());
    indexOffset_ = static_cast<std::uint64_t>(std::max(header.indexOffset, 0));
    count_ = static_cast<std::size_t>(std::max(header.entryCount, 0));
    chunk_.resize(std::min(count_, kChunkEntries));
}

std::span<const EntryBytes> IndexChunks::Next() {
    const std::size_t take = std::min(count_ - read_, kChunkEntries);
    if (take == 0) {
        return {};
    }
    const std::size_t bytes = take * kEntrySize;
    if (file_.ReadAt(indexOffset_ + std::uint64_t{kEntrySize} * read_, chunk_.data(), bytes) != bytes) {
        throw InvalidArchive(ArchiveProblem::IndexOutsideFile, path_);
    }
    read_ += take;
    return std::span<const EntryBytes>(chunk_.data(), take);
}

void LoadArchive(Workspace& workspace, const std::filesystem::path& path, const PakHeader& header, Progress& progress) {
    IndexChunks index(path, header);
    if (!FitsInProcessMemory(index.Count(), kLoadedEntryBytes)) {
        throw InvalidArchive(ArchiveProblem::IndexTooLarge, path);
    }

    const ProgressShown shown(progress);
    const auto count = static_cast<std::int64_t>(index.Count());
    progress.SetStep(ProgressStep::ReadingIndex);
    progress.SetTotal(ProgressBar::Items, count);
    progress.SetVisible(ProgressBar::Stages, false);

    // The rows are made aside while the progress shows and replace the workspace only when all are
    // made: nothing paints a half-filled list, and running out of memory on the way loses nothing.
    Workspace loaded;
    loaded.SetArchivePath(path);
    loaded.Reserve(index.Count());
    for (auto records = index.Next(); !records.empty(); records = index.Next()) {
        for (const EntryBytes& bytes : records) {
            const PakEntry record = DecodeEntry(bytes);
            loaded.AddArchiveEntry(index.Archive(), record, DecodeNameField(record.name));
            progress.SetItem({.storedName = loaded.Entry(loaded.Count()).storedName});
            progress.SetDone(ProgressBar::Items, static_cast<std::int64_t>(loaded.Count()));
            progress.Breathe();
        }
    }

    progress.SetStep(ProgressStep::IndexRead);
    progress.SetItem({});
    progress.Breathe();
    workspace = std::move(loaded);
}

} // namespace quarrow
