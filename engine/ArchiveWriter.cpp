#include "ArchiveWriter.hpp"

#include "File.hpp"
#include "PakFormat.hpp"
#include "StoredName.hpp"
#include "StreamCopy.hpp"
#include "SystemMessage.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"

#include <algorithm>
#include <variant>
#include <vector>

namespace quarrow {

std::string_view Describe(PackProblem problem) {
    switch (problem) {
    case PackProblem::EmptyWorkspace: return "there is nothing to pack";
    case PackProblem::NotFromDisk: return "the entry comes from an opened archive, not from a file on disk";
    case PackProblem::NameEmpty: return "the name to store is empty";
    case PackProblem::NameUnrepresentable: return "the name to store has characters that code page 936 cannot hold";
    case PackProblem::NameTooLong: return "the name to store takes more than 40 bytes in code page 936";
    case PackProblem::SourceUnreadable: return "the source file cannot be read";
    case PackProblem::SourceShorter: return "the source file is shorter than when it was added";
    case PackProblem::TooLarge: return "the archive would be larger than 2,147,483,647 bytes";
    }
    return "the entry cannot be packed";
}

std::string Describe(const PackIssue& issue) {
    std::string text;
    if (issue.position > 0) {
        text = "entry " + std::to_string(issue.position) + " (" +
               Utf8FromWide(issue.source.empty() ? issue.entryName : WideFromPath(issue.source)) + "): ";
    }
    text += Describe(issue.problem);
    if (issue.error) {
        text += ": " + SystemMessage(issue.error);
    }
    return text;
}

namespace {

PackIssue IssueOf(PackProblem problem, std::size_t position, const WorkspaceEntry* entry, std::error_code error) {
    PackIssue issue{problem, position, {}, {}, error};
    if (entry != nullptr) {
        issue.entryName = entry->storedName;
        issue.source = entry->source;
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
    return (problems.front().position > 0 ? "cannot pack " : "cannot pack: ") + Describe(problems.front());
}

PackProblem ProblemOf(NameFieldProblem problem) {
    switch (problem) {
    case NameFieldProblem::Empty: return PackProblem::NameEmpty;
    case NameFieldProblem::Unrepresentable: return PackProblem::NameUnrepresentable;
    case NameFieldProblem::TooLong: return PackProblem::NameTooLong;
    }
    return PackProblem::NameEmpty;
}

struct PackPlan {
    std::vector<NameField> names;
    PakLayout layout;
};

// The whole list is checked before anything is refused: the user mends every entry named at once.
PackPlan PlanPack(const Workspace& workspace) {
    const std::size_t count = workspace.Count();
    if (count == 0) {
        throw PackError(PackProblem::EmptyWorkspace, 0, nullptr);
    }
    PackPlan plan;
    plan.names.reserve(count);
    std::vector<std::int64_t> sizes;
    sizes.reserve(count);
    std::vector<PackIssue> problems;
    bool entryTooLarge = false;
    for (std::size_t position = 1; position <= count; ++position) {
        const WorkspaceEntry& entry = workspace.Entry(position);
        const auto refuse = [&](PackProblem problem, std::error_code error = {}) {
            problems.push_back(IssueOf(problem, position, &entry, error));
        };
        sizes.push_back(std::max<std::int64_t>(entry.size, 0));
        if (!entry.FromDisk()) {
            refuse(PackProblem::NotFromDisk);
            continue;
        }
        const auto field = EncodeNameField(entry.storedName);
        if (const auto* problem = std::get_if<NameFieldProblem>(&field)) {
            refuse(ProblemOf(*problem));
        } else {
            plan.names.push_back(std::get<NameField>(field));
        }
        std::error_code error;
        const auto length = std::filesystem::file_size(entry.source, error);
        if (error) {
            refuse(PackProblem::SourceUnreadable, error);
        } else if (entry.size < 0 || static_cast<std::uint64_t>(entry.size) > length) {
            refuse(PackProblem::SourceShorter);
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

void CopyContents(const Workspace& workspace, SequentialWriter& writer, Progress& progress) {
    const auto n = static_cast<std::int64_t>(workspace.Count());
    progress.SetStep(ProgressStep::CopyingContents);
    for (std::int64_t i = 1; i <= n; ++i) {
        const WorkspaceEntry& entry = workspace.Entry(static_cast<std::size_t>(i));
        const std::wstring sourceText = WideFromPath(entry.source);
        progress.SetItem({.source = sourceText});
        if (entry.size > 0) {
            try {
                const File source = File::Open(entry.source, File::Mode::Read);
                writer.CopyFrom(source, 0, static_cast<std::uint64_t>(entry.size));
            } catch (const FileError& error) {
                if (error.Path() != entry.source) {
                    throw; // the archive's own write failed
                }
                std::error_code ignored;
                const auto length = std::filesystem::file_size(entry.source, ignored);
                if (!ignored && length < static_cast<std::uint64_t>(entry.size)) {
                    throw PackError(PackProblem::SourceShorter, static_cast<std::size_t>(i), &entry);
                }
                throw PackError(PackProblem::SourceUnreadable, static_cast<std::size_t>(i), &entry, error.Code());
            }
        }
        progress.SetDone(ProgressBar::Items, i);
        progress.Breathe();
    }
}

void WriteStructureAndIndex(const Workspace& workspace, const PackPlan& plan, File& archive, SequentialWriter& writer,
                            Progress& progress) {
    const auto n = static_cast<std::int64_t>(workspace.Count());
    progress.SetStep(ProgressStep::WritingStructure);
    progress.SetItem({});
    writer.Flush(); // the header lands on bytes the writer may still hold
    PakHeader header;
    header.entryCount = static_cast<std::int32_t>(n);
    header.indexOffset = static_cast<std::int32_t>(plan.layout.indexOffset);
    const HeaderBytes headerBytes = EncodeHeader(header);
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
    const PackPlan plan = PlanPack(workspace);
    const std::filesystem::path folder = target.parent_path();
    RemoveAbandonedTemporaryFiles(folder);
    std::error_code ignored;
    // Something worth keeping is replaced only once the new archive is safely on the disk.
    const bool replacing = std::filesystem::exists(target, ignored);

    try {
        TemporaryFile archive(target);
        {
            const ProgressShown shown(progress);
            progress.SetVisible(ProgressBar::Stages, true);
            progress.SetTotal(ProgressBar::Stages, 3);

            AssignOffsets(workspace.Count(), progress);
            progress.SetDone(ProgressBar::Stages, 1);

            SequentialWriter writer(archive.Get(), 0);
            writer.WriteZeros(static_cast<std::uint64_t>(kDataStart)); // the header comes last, over these
            CopyContents(workspace, writer, progress);
            progress.SetDone(ProgressBar::Stages, 2);

            WriteStructureAndIndex(workspace, plan, archive.Get(), writer, progress);
            progress.SetDone(ProgressBar::Stages, 3);
        }
        archive.Commit(replacing);
    } catch (const FileError& error) {
        // Sources fail as PackError; what fails here is the archive. Its temporary file is this run's
        // own affair: the user knows the archive by the name they chose.
        if (error.Path() == target) {
            throw;
        }
        throw FileError(error.Operation(), target, error.Code());
    }

    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        workspace.SetDataOffset(position, plan.layout.dataOffsets[position - 1]);
    }
    workspace.SetArchivePath(target);
}

} // namespace quarrow
