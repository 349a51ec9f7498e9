// Windows only: an archive or an extracted file that another open holds without sharing, or that has
// the read-only attribute, makes the operation fail on that file with the system's reason, and the
// file keeps every byte. (Sharing is enforced per open, so a second open in this process meets the
// same refusal that another process's would; the command-line tests hold the file from another
// process.)
#include "ArchiveReader.hpp"
#include "ArchiveWriter.hpp"
#include "ContentAppender.hpp"
#include "Extractor.hpp"
#include "File.hpp"
#include "FolderSnapshot.hpp"
#include "HandMadeArchive.hpp"
#include "TempDir.hpp"
#include "WindowsFileHolds.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <variant>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ReadFileBytes;
using testing::SnapshotOf;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

enum class Guard { HeldWithoutSharing, ReadOnly };

std::shared_ptr<void> Protect(Guard guard, const std::filesystem::path& path) {
    if (guard == Guard::HeldWithoutSharing) {
        return std::make_shared<testing::HeldWithoutSharing>(path);
    }
    return std::make_shared<testing::ReadOnlyAttribute>(path);
}

class Untouchable : public ::testing::TestWithParam<Guard> {
protected:
    TempDir dir;
    std::filesystem::path box = dir / "box";
    std::vector<std::uint8_t> archiveBytes;

    void SetUp() override {
        if (GetParam() == Guard::ReadOnly && !testing::ReadOnlyAttributeBites(dir.Path())) {
            GTEST_SKIP() << "the read-only attribute does not stop writes here (Wine running as root)";
        }
        HandMadeArchive archive;
        archive.Add("FREE.TXT", "free").Add("TAKEN.TXT", "new content");
        archiveBytes = archive.Bytes();
        WriteFileBytes(box / "a.pak", archiveBytes);
        WriteFileText(box / "out" / "TAKEN.TXT", "the user's file");
        WriteFileText(dir / "src" / "one", "one");
    }
};

TEST_P(Untouchable, PackOverTheArchiveIsRefusedAndLeavesIt) {
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "src" / "one"));
    const auto before = SnapshotOf(box);
    {
        const auto guard = Protect(GetParam(), box / "a.pak");
        NullProgress progress;
        try {
            PackArchive(workspace, box / "a.pak", progress);
            ADD_FAILURE() << "packed over a protected archive";
        } catch (const PackError& error) {
            // Refused before anything is written: another program holds it, or it is read-only.
            EXPECT_EQ(error.Problem(), GetParam() == Guard::HeldWithoutSharing ? PackProblem::TargetLocked
                                                                               : PackProblem::TargetReadOnly);
            EXPECT_EQ(error.Problems().front().source, box / "a.pak");
        }
    }
    EXPECT_EQ(SnapshotOf(box), before);
    EXPECT_TRUE(workspace.ArchivePath().empty());
}

TEST_P(Untouchable, ExtractionSkipsTheFileAndWritesTheRest) {
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, box / "a.pak", CheckArchive(box / "a.pak").header, progress);
    ExtractionResult result;
    {
        const auto guard = Protect(GetParam(), box / "out" / "TAKEN.TXT");
        result = ExtractArchive(workspace, box / "a.pak", box / "out", progress);
    }
    EXPECT_EQ(result.written, 1u);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].position, 2u);
    EXPECT_EQ(result.skipped[0].reason, SkipReason::CannotWrite);
    EXPECT_TRUE(result.skipped[0].error);
    EXPECT_EQ(SnapshotOf(box / "out"),
              (testing::FolderSnapshot{{"FREE.TXT", "free"}, {"TAKEN.TXT", "the user's file"}}));
}

TEST_P(Untouchable, AppendFailsBeforeWritingAndLeavesTheArchive) {
    const auto before = SnapshotOf(box);
    {
        const auto guard = Protect(GetParam(), box / "a.pak");
        NullProgress progress;
        try {
            AppendContents(box / "a.pak", {dir / "src" / "one"}, progress);
            ADD_FAILURE() << "appended to a protected archive";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Operation(), FileOperation::Open);
            EXPECT_TRUE(error.Code());
        }
    }
    EXPECT_EQ(SnapshotOf(box), before);
}

INSTANTIATE_TEST_SUITE_P(Guards, Untouchable, ::testing::Values(Guard::HeldWithoutSharing, Guard::ReadOnly),
                         [](const ::testing::TestParamInfo<Guard>& info) {
                             return info.param == Guard::HeldWithoutSharing ? "HeldWithoutSharing" : "ReadOnly";
                         });

TEST(LockedArchive, CannotBeOpenedAndSaysWhy) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.TXT", "a");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    const testing::HeldWithoutSharing hold(dir / "a.pak");
    const ArchiveCheck check = CheckArchive(dir / "a.pak");
    ASSERT_EQ(check.problem, ArchiveProblem::CannotOpen);
    EXPECT_EQ(check.error.value(), ERROR_SHARING_VIOLATION);
}

} // namespace
} // namespace quarrow
