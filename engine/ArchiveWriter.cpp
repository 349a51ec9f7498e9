#include "ArchiveWriter.hpp"

#include "File.hpp"
#include "PakFormat.hpp"
#include "StoredName.hpp"
#include "StreamCopy.hpp"
#include "SystemMessage.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"

#include <algorithm>
#include <optional>
#include <variant>
#include <vector>

namespace quarrow {

std::string_view Describe(PackProblem problem) {
    switch (problem) {
    case PackProblem::EmptyWorkspace: return "there is nothing to pack";
    case PackProblem::NoSource: return "the entry has neither a file nor an archive to take its bytes from";
    case PackProblem::NameEmpty: return "the name to store is empty";
    case PackProblem::NameUnrepresentable: return "the name to store has characters that code page 936 cannot hold";
    case PackProblem::NameTooLong: return "the name to store takes more than 40 bytes in code page 936";
    case PackProblem::SourceUnreadable: return "the source cannot be read";
    case PackProblem::SourceShorter: return "the source file is shorter than when it was added";
    case PackProblem::DataOutsideArchive: return "the entry's data lies outside the archive it comes from";
    case PackProblem::SourceArchiveChanged:
        return "the archive the entry comes from has changed since it was opened (its size or its header differs)";
    case PackProblem::TooLarge: return "the archive would be larger than 2,147,483,647 bytes";
    case PackProblem::SourceResized: return "the source file's size changed while it was packed";
    case PackProblem::SourceIsTarget: return "the source file is the archive being written";
    case PackProblem::TargetNotAFile: return "it is no file that an archive can be written to";
    case PackProblem::TargetReadOnly: return "it is read-only";
    case PackProblem::TargetHardLinked:
        return "it has several hard links, which a rewritten file would no longer share";
    case PackProblem::TargetLocked: return "another program is writing it";
    case PackProblem::TargetChanged: return "another program changed it while the archive was written";
    }
    return "the entry cannot be packed";
}

std::string Describe(const PackIssue& issue) {
    std::string text;
    if (issue.position > 0) {
        const std::wstring what = issue.fromArchive      ? issue.entryName + L" in " + WideFromPath(issue.source)
                                  : issue.source.empty() ? issue.entryName
                                                         : WideFromPath(issue.source);
        text = "entry " + std::to_string(issue.position) + " (" + Utf8FromWide(what) + "): ";
    } else if (!issue.source.empty()) {
        text = Utf8FromWide(WideFromPath(issue.source)) + ": ";
    }
    text += Describe(issue.problem);
    if (issue.error) {
        text += ": " + SystemMessage(issue.error);
    }
    return text;
}

namespace {

PackIssue IssueOf(PackProblem problem, std::size_t position, const WorkspaceEntry* entry, std::error_code error) {
    PackIssue issue{problem, position, {}, {}, false, error};
    if (entry != nullptr) {
        issue.entryName = entry->storedName;
        issue.fromArchive = entry->archive != nullptr;
        issue.source = issue.fromArchive ? entry->archive->Path() : entry->source;
    }
    return issue;
}

std::string DescribePack(const std::vector<PackIssue>& problems) {
    if (problems.empty()) {
        return "cannot pack";
    }
    if (problems.size() > 1) {
        return "cannot pack: " + std::to_string(problems.size()) +
               " problems, the first: " + Describe(problems.front());
    }
    return "cannot pack: " + Describe(problems.front());
}

PackProblem ProblemOf(NameFieldProblem problem) {
    switch (problem) {
    case NameFieldProblem::Empty: return PackProblem::NameEmpty;
    case NameFieldProblem::Unrepresentable: return PackProblem::NameUnrepresentable;
    case NameFieldProblem::TooLong: return PackProblem::NameTooLong;
    }
    return PackProblem::NameEmpty;
}

// An archive that entries take their bytes from, held open from the check that it is unchanged until
// its bytes are copied, so that what is copied is what was checked.
struct OpenedSource {
    const SourceArchive* archive;
    File file;
    std::wstring pathText;
    std::size_t firstPosition; // the first entry that takes bytes from it
};

struct PackPlan {
    std::vector<NameField> names;
    PakLayout layout;
    std::vector<OpenedSource> sources;

    const OpenedSource& SourceOf(const SourceArchive& archive) const {
        return *std::find_if(sources.begin(), sources.end(),
                             [&](const OpenedSource& source) { return source.archive == &archive; });
    }
};

// The archives entries come from, each opened and compared with what was opened once, when its first
// entry is met. One that is unreadable or no longer the archive that was opened (its entries' offsets
// would point at other bytes) is a problem of that first entry; its other entries are not named again.
class SourceArchives {
public:
    explicit SourceArchives(std::vector<OpenedSource>& opened) : opened_(opened) {}

    // Whether the entry's archive can be read as it was opened; records the problem when not.
    bool Usable(const WorkspaceEntry& entry, std::size_t position, std::vector<PackIssue>& problems) {
        const SourceArchive* archive = entry.archive.get();
        if (std::find(refused_.begin(), refused_.end(), archive) != refused_.end()) {
            return false;
        }
        if (std::any_of(opened_.begin(), opened_.end(), [&](const OpenedSource& s) { return s.archive == archive; })) {
            return true;
        }
        try {
            File file = File::Open(archive->Path(), File::Mode::Read);
            if (archive->IsUnchanged(file)) {
                opened_.push_back({archive, std::move(file), WideFromPath(archive->Path()), position});
                return true;
            }
            problems.push_back(IssueOf(PackProblem::SourceArchiveChanged, position, &entry, {}));
        } catch (const FileError& error) {
            problems.push_back(IssueOf(PackProblem::SourceUnreadable, position, &entry, error.Code()));
        }
        refused_.push_back(archive);
        return false;
    }

private:
    std::vector<OpenedSource>& opened_;
    std::vector<const SourceArchive*> refused_;
};

// Problems of an entry whose bytes come from a file on disk, or from no source at all.
void CheckFileSource(const WorkspaceEntry& entry, std::size_t position, const ArchiveTarget& target,
                     std::vector<PackIssue>& problems) {
    const auto refuse = [&](PackProblem problem, std::error_code error = {}) {
        problems.push_back(IssueOf(problem, position, &entry, error));
    };
    if (entry.source.empty()) {
        refuse(PackProblem::NoSource);
        return;
    }
    std::optional<FileIdentity> source;
    try {
        source = File::IdentityAt(entry.source);
    } catch (const FileError& error) {
        refuse(PackProblem::SourceUnreadable, error.Code());
        return;
    }
    if (!source) {
        refuse(PackProblem::SourceUnreadable, std::make_error_code(std::errc::no_such_file_or_directory));
    } else if (source->kind != FileIdentity::Kind::File) {
        refuse(PackProblem::SourceUnreadable, NotARegularFile());
    } else if (target.Existing() && source->SameFile(*target.Existing())) {
        refuse(PackProblem::SourceIsTarget);
    } else if (entry.size < 0 || static_cast<std::uint64_t>(entry.size) > source->size) {
        refuse(PackProblem::SourceShorter);
    }
}

// The whole list is checked before anything is refused: the user mends every entry named at once.
PackPlan PlanPack(const Workspace& workspace, const ArchiveTarget& target, EmptyList emptyList) {
    const std::size_t count = workspace.Count();
    if (count == 0 && emptyList == EmptyList::Refused) {
        throw PackError(PackProblem::EmptyWorkspace, 0, nullptr);
    }
    PackPlan plan;
    plan.names.reserve(count);
    std::vector<std::int64_t> sizes;
    sizes.reserve(count);
    std::vector<PackIssue> problems;
    SourceArchives archives(plan.sources);
    bool entryTooLarge = false;
    for (std::size_t position = 1; position <= count; ++position) {
        const WorkspaceEntry& entry = workspace.Entry(position);
        const auto refuse = [&](PackProblem problem) { problems.push_back(IssueOf(problem, position, &entry, {})); };
        sizes.push_back(std::max<std::int64_t>(entry.size, 0));
        if (entry.nameField) {
            plan.names.push_back(*entry.nameField); // written back as it was read
        } else {
            const auto field = EncodeNameField(entry.storedName);
            if (const auto* problem = std::get_if<NameFieldProblem>(&field)) {
                refuse(ProblemOf(*problem));
            } else {
                plan.names.push_back(std::get<NameField>(field));
            }
        }
        if (!entry.archive) {
            CheckFileSource(entry, position, target, problems);
        } else if (archives.Usable(entry, position, problems) &&
                   (!entry.dataOffset || !entry.archive->Holds(*entry.dataOffset, entry.size))) {
            refuse(PackProblem::DataOutsideArchive);
        }
        if (entry.size > kMaxOffset) {
            refuse(PackProblem::TooLarge);
            entryTooLarge = true;
        }
    }
    plan.layout = ComputeLayout(sizes);
    if (!entryTooLarge && !plan.layout.FitsFormat()) {
        problems.push_back(IssueOf(PackProblem::TooLarge, 0, nullptr, {}));
    }
    if (!problems.empty()) {
        throw PackError(std::move(problems));
    }
    return plan;
}

PakHeader HeaderOf(const PackPlan& plan) {
    PakHeader header;
    header.entryCount = static_cast<std::int32_t>(plan.names.size());
    header.indexOffset = static_cast<std::int32_t>(plan.layout.indexOffset);
    return header;
}

void AssignOffsets(std::size_t count, Progress& progress) {
    const auto n = static_cast<std::int64_t>(count);
    progress.SetStep(ProgressStep::AssigningOffsets);
    progress.SetItem({});
    progress.SetTotal(ProgressBar::Items, n);
    for (std::int64_t i = 1; i <= n; ++i) {
        progress.SetDone(ProgressBar::Items, i);
        progress.Breathe();
    }
}

// Entries that lie back to back in one archive are copied as one run: an archive of many small entries
// then costs a few calls of the system rather than one per entry, and a large unchanged stretch can be
// copied by the system on its own. A run is bounded so that the progress keeps moving.
class ArchiveRun {
public:
    explicit ArchiveRun(SequentialWriter& writer) : writer_(writer) {}

    // Adds the entry at `position`, whose bytes lie in `source` at `offset`.
    void Add(const Workspace& workspace, std::size_t position, const OpenedSource& source, std::uint64_t offset,
             std::uint64_t size) {
        if (source_ != &source || offset != from_ + length_ || length_ + size > kLongestRun) {
            Finish(workspace);
            source_ = &source;
            from_ = offset;
            first_ = position;
        }
        length_ += size;
    }

    // Copies what the run holds. A source archive that fails to give its bytes stops the pack with the
    // run's first entry named.
    void Finish(const Workspace& workspace) {
        if (source_ == nullptr || length_ == 0) {
            length_ = 0;
            return;
        }
        try {
            writer_.CopyFrom(source_->file, from_, length_);
        } catch (const FileError& error) {
            if (error.Path() != source_->file.Path()) {
                throw; // the archive's own write failed
            }
            throw PackError(PackProblem::SourceUnreadable, first_, &workspace.Entry(first_), error.Code());
        }
        length_ = 0;
    }

private:
    static constexpr std::uint64_t kLongestRun = 64 * kCopyChunk;
    SequentialWriter& writer_;
    const OpenedSource* source_ = nullptr;
    std::uint64_t from_ = 0;
    std::uint64_t length_ = 0;
    std::size_t first_ = 0;
};

void CopyFile(const WorkspaceEntry& entry, std::size_t position, SequentialWriter& writer) {
    if (entry.size == 0) {
        return;
    }
    bool resized = false;
    try {
        const File source = File::Open(entry.source, File::Mode::Read);
        const std::uint64_t before = source.Size();
        writer.CopyFrom(source, 0, static_cast<std::uint64_t>(entry.size));
        resized = source.Size() != before;
    } catch (const FileError& error) {
        if (error.Path() != entry.source) {
            throw; // the archive's own write failed
        }
        std::error_code ignored;
        const auto length = std::filesystem::file_size(entry.source, ignored);
        if (!ignored && length < static_cast<std::uint64_t>(entry.size)) {
            throw PackError(PackProblem::SourceShorter, position, &entry);
        }
        throw PackError(PackProblem::SourceUnreadable, position, &entry, error.Code());
    }
    if (resized) {
        throw PackError(PackProblem::SourceResized, position, &entry);
    }
}

void CopyContents(const Workspace& workspace, const PackPlan& plan, SequentialWriter& writer, Progress& progress) {
    const auto n = static_cast<std::int64_t>(workspace.Count());
    progress.SetStep(ProgressStep::CopyingContents);
    ArchiveRun run(writer);
    for (std::int64_t i = 1; i <= n; ++i) {
        const auto position = static_cast<std::size_t>(i);
        const WorkspaceEntry& entry = workspace.Entry(position);
        if (entry.archive) {
            const OpenedSource& source = plan.SourceOf(*entry.archive);
            progress.SetItem({.archive = source.pathText, .storedName = entry.storedName});
            run.Add(workspace, position, source, static_cast<std::uint64_t>(*entry.dataOffset),
                    static_cast<std::uint64_t>(entry.size));
        } else {
            run.Finish(workspace);
            const std::wstring sourceText = WideFromPath(entry.source);
            progress.SetItem({.source = sourceText});
            CopyFile(entry, position, writer);
        }
        progress.SetDone(ProgressBar::Items, i);
        progress.Breathe();
    }
    run.Finish(workspace);
}

void WriteStructureAndIndex(const Workspace& workspace, const PackPlan& plan, File& archive, SequentialWriter& writer,
                            Progress& progress) {
    const auto n = static_cast<std::int64_t>(workspace.Count());
    progress.SetStep(ProgressStep::WritingStructure);
    progress.SetItem({});
    writer.Flush(); // the header lands on bytes the writer may still hold
    const HeaderBytes headerBytes = EncodeHeader(HeaderOf(plan));
    archive.WriteAt(0, headerBytes.data(), headerBytes.size());

    progress.SetStep(ProgressStep::WritingIndex);
    writer.WriteZeros(static_cast<std::uint64_t>(plan.layout.indexOffset - plan.layout.dataEnd));
    for (std::int64_t i = 1; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        const WorkspaceEntry& entry = workspace.Entry(static_cast<std::size_t>(i));
        progress.SetItem({.storedName = entry.storedName});
        PakEntry record;
        record.size = static_cast<std::int32_t>(entry.size);
        record.dataOffset = static_cast<std::int32_t>(plan.layout.dataOffsets[at]);
        record.name = plan.names[at];
        writer.Write(EncodeEntry(record));
        progress.SetDone(ProgressBar::Items, i);
        progress.Breathe();
    }
    writer.Flush();
}

} // namespace

PackError::PackError(std::vector<PackIssue> problems)
    : std::runtime_error(DescribePack(problems)), problems_(std::move(problems)) {}

PackError::PackError(PackProblem problem, std::size_t position, const WorkspaceEntry* entry, std::error_code error)
    : PackError(std::vector<PackIssue>{IssueOf(problem, position, entry, error)}) {}

void PackArchive(Workspace& workspace, const std::filesystem::path& target, Progress& progress) {
    ArchiveTarget taken(target);
    PackArchive(workspace, taken, progress);
}

namespace {

// Just before the new archive takes the target's place: nothing it was made from may have changed.
void CheckSourcesUnchanged(const Workspace& workspace, const PackPlan& plan) {
    for (const OpenedSource& source : plan.sources) {
        const WorkspaceEntry* first = &workspace.Entry(source.firstPosition);
        bool unchanged = false;
        try {
            const auto now = File::IdentityIfKnown(source.archive->Path());
            unchanged = source.archive->IsUnchanged(source.file) && now && now->SameFile(source.file.Identity());
        } catch (const FileError& error) {
            throw PackError(PackProblem::SourceUnreadable, source.firstPosition, first, error.Code());
        }
        if (!unchanged) {
            throw PackError(PackProblem::SourceArchiveChanged, source.firstPosition, first);
        }
    }
}

} // namespace

void PackArchive(Workspace& workspace, ArchiveTarget& target, Progress& progress, EmptyList emptyList) {
    PackPlan plan = PlanPack(workspace, target, emptyList);
    const std::filesystem::path& resolved = target.Resolved();
    const auto folderOf = [&] {
        const auto folder = resolved.parent_path();
        return folder.empty() ? std::filesystem::path(".") : folder;
    };

    try {
        TemporaryFile archive(resolved);
        // Its length is known before a byte is written.
        archive.Get().Reserve(static_cast<std::uint64_t>(plan.layout.archiveSize));
        {
            const ProgressShown shown(progress);
            progress.SetVisible(ProgressBar::Stages, true);
            progress.SetTotal(ProgressBar::Stages, 3);

            AssignOffsets(workspace.Count(), progress);
            progress.SetDone(ProgressBar::Stages, 1);

            SequentialWriter writer(archive.Get(), 0);
            if (target.Existing()) {
                writer.WriteBackEarly(); // flushed before it replaces the old file
            }
            writer.WriteZeros(static_cast<std::uint64_t>(kDataStart)); // the header comes last, over these
            CopyContents(workspace, plan, writer, progress);
            progress.SetDone(ProgressBar::Stages, 2);

            WriteStructureAndIndex(workspace, plan, archive.Get(), writer, progress);
            progress.SetDone(ProgressBar::Stages, 3);
        }
        if (target.Existing()) {
            archive.Get().TakeAccessOf(*target.Existing());
            // Something worth keeping is replaced only once the new archive is safely on the disk.
            archive.Get().Flush();
        }
        // As late as can be: another program may have changed what the archive was made from.
        CheckSourcesUnchanged(workspace, plan);
        target.CheckUnchanged();
#ifdef _WIN32
        // Windows replaces no file that is held open, and the target may be one of the sources.
        plan.sources.clear();
        target.Release();
#endif
        archive.Commit(false);
    } catch (const FileError& error) {
        // Sources fail as PackError; what fails here is the archive, or the folder it is made in. Its
        // temporary file is this run's own affair: the user knows the archive by the name they chose.
        if (error.Path() == target.Named() || error.Path() == folderOf()) {
            throw;
        }
        throw FileError(error.Operation(), target.Named(), error.Code());
    }

    // When its state cannot be told, its entries are checked by size and header alone.
    const auto written = std::make_shared<const SourceArchive>(
        target.Named(), plan.layout.archiveSize, EncodeHeader(HeaderOf(plan)), File::IdentityIfKnown(resolved));
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        const std::int64_t offset = plan.layout.dataOffsets[position - 1];
        if (workspace.Entry(position).archive) {
            workspace.MoveIntoArchive(position, written, offset);
        } else {
            workspace.SetDataOffset(position, offset);
        }
    }
    workspace.SetArchivePath(target.Named());
}

} // namespace quarrow
