#include "ArchiveReader.hpp"

#include "File.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

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
    return std::nullopt;
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
    File file = File::Open(path, File::Mode::Read);
    const std::uint64_t size = file.Size();
    HeaderBytes headerBytes{};
    if (file.ReadAt(0, headerBytes.data(), headerBytes.size()) != headerBytes.size() ||
        DecodeHeader(headerBytes) != header) {
        throw InvalidArchive(ArchiveProblem::Changed, path);
    }
    if (auto problem = JudgeIndex(header, size)) {
        throw InvalidArchive(*problem, path);
    }
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

void LoadArchive(Workspace& workspace, const std::filesystem::path& path, const PakHeader& header, Progress& progress) {
    const ArchiveIndex index = ReadArchiveIndex(path, header);

    workspace.Clear();
    workspace.SetArchivePath(path);
    const ProgressShown shown(progress);
    const auto count = static_cast<std::int64_t>(index.Count());
    progress.SetStep(ProgressStep::ReadingIndex);
    progress.SetTotal(ProgressBar::Items, count);
    progress.SetVisible(ProgressBar::Stages, false);

    // The rows are made while the progress shows and join the workspace at the end in one step, so that
    // nothing paints a half-filled list.
    Workspace loaded;
    loaded.Reserve(index.Count());
    for (std::size_t i = 0; i < index.Count(); ++i) {
        const PakEntry record = DecodeEntry(index.Record(i));
        loaded.AddArchiveEntry(index.Archive(), record, DecodeNameField(record.name));
        progress.SetItem({.storedName = loaded.Entry(i + 1).storedName});
        progress.SetDone(ProgressBar::Items, static_cast<std::int64_t>(i) + 1);
        progress.Breathe();
    }

    progress.SetStep(ProgressStep::IndexRead);
    progress.SetItem({});
    progress.Breathe();
    workspace.Append(std::move(loaded));
}

} // namespace quarrow
