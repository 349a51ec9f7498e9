// Every damaged archive of the script-made corpus gets its behaviour from the engine: refused with the
// open error and the right problem, or opened with its damaged entries skipped for the right reason
// (and found as problems by the health check, beside its notes), the others written byte for byte,
// nothing written outside the destination and the archive unchanged.
#include "ArchiveHealth.hpp"
#include "ArchiveReader.hpp"
#include "DamagedArchives.hpp"
#include "Extractor.hpp"
#include "SystemPath.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

#include <map>

namespace quarrow {
namespace {

using testing::DamagedArchive;
using testing::FilesBelow;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::string NameOf(ArchiveProblem problem) {
    switch (problem) {
    case ArchiveProblem::CannotOpen: return "CannotOpen";
    case ArchiveProblem::BadMagic: return "BadMagic";
    case ArchiveProblem::TruncatedHeader: return "TruncatedHeader";
    case ArchiveProblem::NegativeCount: return "NegativeCount";
    case ArchiveProblem::IndexOutsideFile: return "IndexOutsideFile";
    case ArchiveProblem::Changed: return "Changed";
    case ArchiveProblem::IndexTooLarge: return "IndexTooLarge";
    }
    return "?";
}

std::string NameOf(SkipReason reason) {
    switch (reason) {
    case SkipReason::UnsafeName: return "UnsafeName";
    case SkipReason::UndecodableName: return "UndecodableName";
    case SkipReason::NotInArchive: return "NotInArchive";
    case SkipReason::DataOutsideArchive: return "DataOutsideArchive";
    case SkipReason::CannotWrite: return "CannotWrite";
    case SkipReason::CannotRead: return "CannotRead";
    }
    return "?";
}

std::string NameOf(NameProblem problem) {
    switch (problem) {
    case NameProblem::Empty: return "Empty";
    case NameProblem::EmptyFileName: return "EmptyFileName";
    case NameProblem::ParentReference: return "ParentReference";
    case NameProblem::InvalidCharacter: return "InvalidCharacter";
    case NameProblem::DeviceName: return "DeviceName";
    case NameProblem::TrailingDotOrSpace: return "TrailingDotOrSpace";
    case NameProblem::ReservedName: return "ReservedName";
    }
    return "?";
}

std::string Text(const std::vector<std::uint8_t>& bytes, std::int64_t offset, std::int64_t size) {
    return std::string(bytes.begin() + offset, bytes.begin() + offset + size);
}

std::string NameOf(FindingKind kind) {
    switch (kind) {
    case FindingKind::DataOutsideFile: return "DataOutsideArchive"; // as extraction calls it
    case FindingKind::UnsafeName: return "UnsafeName";
    case FindingKind::UndecodableName: return "UndecodableName";
    case FindingKind::RepeatedName: return "RepeatedName";
    case FindingKind::OverlappingData: return "OverlappingData";
    case FindingKind::Gap: return "Gap";
    case FindingKind::AppendedContent: return "AppendedContent";
    }
    return "?";
}

// Problems in the form of skipped entries, notes in the form of the manifest.
std::pair<std::vector<std::string>, std::vector<std::string>> Findings(const std::vector<Finding>& findings) {
    std::vector<std::string> problems;
    std::vector<std::string> notes;
    for (const Finding& finding : findings) {
        if (IsProblem(finding.kind)) {
            std::string text = std::to_string(finding.entries.at(0)) + ":" + NameOf(finding.kind);
            if (finding.kind == FindingKind::UnsafeName) {
                text += ":" + NameOf(finding.nameProblem);
            }
            problems.push_back(text);
            continue;
        }
        std::string text = NameOf(finding.kind);
        for (std::size_t i = 0; i < finding.entries.size(); ++i) {
            text += (i == 0 ? ":" : "+") + std::to_string(finding.entries[i]);
        }
        if (finding.range) {
            text += "@" + std::to_string(finding.range->first) + "-" + std::to_string(finding.range->end);
        }
        notes.push_back(text);
    }
    return {problems, notes};
}

class DamagedArchives : public ::testing::TestWithParam<DamagedArchive> {};

TEST(DamagedArchiveCorpus, IsThere) { EXPECT_GE(testing::LoadDamagedArchives().size(), 30u); }

TEST_P(DamagedArchives, GetTheirBehaviourFromTheEngine) {
    const DamagedArchive& expected = GetParam();
    TempDir dir;
    const auto original = ReadFileBytes(testing::DamagedArchivesFolder() / expected.name);
    const auto archive = dir / "box" / expected.name;
    WriteFileBytes(archive, original);

    const ArchiveCheck check = CheckArchive(archive);
    if (expected.refused) {
        ASSERT_FALSE(check);
        EXPECT_EQ(NameOf(*check.problem), expected.problem);
        EXPECT_EQ(ReadFileBytes(archive), original);
        return;
    }
    ASSERT_TRUE(check) << Describe(*check.problem);
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, archive, check.header, progress);
    ASSERT_EQ(workspace.Count(), expected.count);
    const auto [problems, notes] = Findings(InspectArchive(workspace, check.header, check.fileSize));
    EXPECT_EQ(problems, expected.Problems());
    EXPECT_EQ(notes, expected.notes);

    const ExtractionResult result = ExtractArchive(workspace, archive, dir / "box" / "out", progress);
    std::vector<std::string> skipped;
    for (const SkippedEntry& entry : result.skipped) {
        std::string text = std::to_string(entry.position) + ":" + NameOf(entry.reason);
        if (entry.reason == SkipReason::UnsafeName) {
            text += ":" + NameOf(entry.nameProblem);
        }
        skipped.push_back(text);
    }
    EXPECT_EQ(skipped, expected.skipped);
    EXPECT_EQ(result.written + result.skipped.size(), expected.count);

    // Each written file holds the data of the last entry of its name.
    std::map<std::string, std::string> contents;
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        const bool wasSkipped = std::any_of(result.skipped.begin(), result.skipped.end(),
                                            [&](const SkippedEntry& entry) { return entry.position == position; });
        if (!wasSkipped) {
            const WorkspaceEntry& entry = workspace.Entry(position);
            std::wstring name = L"box/out/" + entry.storedName;
            std::replace(name.begin(), name.end(), L'\\', L'/');
            // Empty levels are left out, as a path's normal form leaves out repeated separators.
            name = WideFromPath(PathFromWide(name).lexically_normal());
            contents[Utf8FromWide(name)] = Text(original, *entry.dataOffset, entry.size);
        }
    }
    std::vector<std::string> files{"box/" + expected.name};
    for (const auto& file : expected.files) {
        files.push_back("box/out/" + file);
    }
    std::sort(files.begin(), files.end());
    ASSERT_EQ(FilesBelow(dir.Path()), files);
    for (const auto& [name, content] : contents) {
        const auto bytes = ReadFileBytes(dir.Path() / PathFromWide(WideFromUtf8(name)));
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content) << name;
    }
    EXPECT_EQ(ReadFileBytes(archive), original);
}

INSTANTIATE_TEST_SUITE_P(Corpus, DamagedArchives, ::testing::ValuesIn(testing::LoadDamagedArchives()),
                         [](const ::testing::TestParamInfo<DamagedArchive>& info) { return TestNameOf(info.param); });

} // namespace
} // namespace quarrow
