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

void LoadArchive(Workspace& workspace, const std::filesystem::path& path, const PakHeader& header, Progress& progress) {
    std::vector<std::uint8_t> index;
    {
        File file = File::Open(path, File::Mode::Read);
        if (auto problem = JudgeIndex(header, file.Size())) {
            throw InvalidArchive(*problem, path);
        }
        index.resize(kEntrySize * static_cast<std::size_t>(header.entryCount));
        if (file.ReadAt(static_cast<std::uint64_t>(header.indexOffset), index.data(), index.size()) != index.size()) {
            throw InvalidArchive(ArchiveProblem::IndexOutsideFile, path);
        }
        file.Close();
    }

    workspace.Clear();
    workspace.SetArchivePath(path);
    const ProgressShown shown(progress);
    const std::int64_t count = header.entryCount;
    progress.SetStep(ProgressStep::ReadingIndex);
    progress.SetTotal(ProgressBar::Items, count);
    progress.SetVisible(ProgressBar::Stages, false);

    struct Placement {
        std::int32_t size;
        std::int32_t dataOffset;
    };
    std::vector<Placement> placements;
    std::vector<DecodedName> names;
    placements.reserve(static_cast<std::size_t>(count));
    names.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        const auto record = std::span<const std::uint8_t, kEntrySize>(index.data() + kEntrySize * i, kEntrySize);
        const PakEntry entry = DecodeEntry(record);
        placements.push_back({entry.size, entry.dataOffset});
        names.push_back(DecodeNameField(entry.name));
        progress.SetItem({.storedName = names.back().text});
        progress.SetDone(ProgressBar::Items, i + 1);
        progress.Breathe();
    }

    progress.SetStep(ProgressStep::IndexRead);
    progress.SetItem({});
    progress.Breathe();

    workspace.Reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < placements.size(); ++i) {
        workspace.AddArchiveEntry(std::move(names[i].text), placements[i].size, placements[i].dataOffset,
                                  names[i].exact);
    }
}

} // namespace quarrow
