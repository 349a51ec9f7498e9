// Append on a failing disk: a failed write into the archive ends the run with an error and cuts the
// archive back to the length it had, byte for byte; a file that fails while it is read is skipped with
// its reason, and its partial block is taken back before the next file follows.
#include "ContentAppender.hpp"

#include "FaultPlan.hpp"
#include "HandMadeArchive.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::FaultPlan;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

class AppendFaults : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path archive = dir / "a.pak";
    std::vector<std::uint8_t> original;
    std::vector<std::filesystem::path> files{dir / "ten", dir / "four", dir / "seven"};
    const std::vector<std::string> contents{"ABCDEFGHIJ", "wxyz", "1234567"};

    void SetUp() override {
        testing::HandMadeArchive made;
        made.Add("A.BIN", "0123456789").Add("B.BIN", "hello");
        original = made.Bytes();
        WriteFileBytes(archive, original);
        for (std::size_t i = 0; i < files.size(); ++i) {
            WriteFileText(files[i], contents[i]);
        }
    }

    std::optional<FileError> AppendFailing(FaultPlan& plan) {
        NullProgress progress;
        try {
            const ScopedFileFaults scoped(plan);
            AppendContents(archive, files, progress);
        } catch (const FileError& error) {
            return error;
        }
        ADD_FAILURE() << "the append succeeded";
        return std::nullopt;
    }
};

TEST_F(AppendFaults, AWriteFailingAtAnyByteCutsTheArchiveBackToItsOldLength) {
    const std::uint64_t total = 2 + 10 + 2 + 4 + 2 + 7;
    for (std::uint64_t after = 0; after < total && !HasFailure(); ++after) {
        SCOPED_TRACE("write fails after " + std::to_string(after) + " bytes");
        const bool full = after % 2 == 0;
        FaultPlan plan = full ? FaultPlan::DiskFull(after)
                              : FaultPlan::FailTransfer(FileOperation::Write, after, std::errc::io_error, false);
        const auto error = AppendFailing(plan);
        ASSERT_TRUE(error);
        EXPECT_EQ(plan.FaultsCaused(), 1);
        EXPECT_EQ(error->Operation(), FileOperation::Write);
        EXPECT_EQ(error->Path(), archive);
        EXPECT_EQ(error->Code(), full ? std::errc::no_space_on_device : std::errc::io_error);
        EXPECT_EQ(ReadFileBytes(archive), original);
    }
}

TEST_F(AppendFaults, AFileFailingWhileReadIsSkippedAndLeavesNoPartialBlock) {
    const std::uint64_t ends[] = {10, 14, 21};
    for (std::uint64_t after = 0; after < 21 && !HasFailure(); ++after) {
        SCOPED_TRACE("read fails after " + std::to_string(after) + " bytes");
        WriteFileBytes(archive, original);
        FaultPlan plan = FaultPlan::FailTransfer(FileOperation::Read, after, std::errc::io_error, false);
        plan.applies = [&](const std::filesystem::path& path) { return path != archive; };
        NullProgress progress;
        std::vector<AppendOutcome> outcomes;
        {
            const ScopedFileFaults scoped(plan);
            outcomes = AppendContents(archive, files, progress);
        }
        const std::size_t failed = after < ends[0] ? 0 : after < ends[1] ? 1 : 2;
        auto expected = original;
        std::int64_t position = static_cast<std::int64_t>(original.size());
        ASSERT_EQ(outcomes.size(), 3u);
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (i == failed) {
                EXPECT_FALSE(outcomes[i].block);
                EXPECT_EQ(outcomes[i].skip, AppendSkip::Unreadable);
                EXPECT_EQ(outcomes[i].error, std::errc::io_error);
                continue;
            }
            ASSERT_TRUE(outcomes[i].block);
            EXPECT_EQ(outcomes[i].block->first, position + 2);
            expected.push_back('\r');
            expected.push_back('\n');
            expected.insert(expected.end(), contents[i].begin(), contents[i].end());
            position += 2 + static_cast<std::int64_t>(contents[i].size());
        }
        EXPECT_EQ(ReadFileBytes(archive), expected);
    }
}

TEST_F(AppendFaults, ARollBackThatFailsTooStillReportsTheWriteAndKeepsTheOldBytes) {
    FaultPlan plan = FaultPlan::DiskFull(13);
    plan.AndFailCall(FileOperation::Truncate, 1);
    const auto error = AppendFailing(plan);
    ASSERT_TRUE(error);
    EXPECT_EQ(plan.FaultsCaused(), 2);
    EXPECT_EQ(error->Operation(), FileOperation::Write);
    const auto bytes = ReadFileBytes(archive);
    ASSERT_GE(bytes.size(), original.size());
    EXPECT_TRUE(std::equal(original.begin(), original.end(), bytes.begin()));
}

TEST_F(AppendFaults, AnArchiveThatCannotBeOpenedForWritingIsLeftAlone) {
    FaultPlan plan = FaultPlan::FailCall(FileOperation::Open, 1, std::errc::permission_denied);
    const auto error = AppendFailing(plan);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Operation(), FileOperation::Open);
    EXPECT_EQ(error->Code(), std::errc::permission_denied);
    EXPECT_EQ(ReadFileBytes(archive), original);
}

} // namespace
} // namespace quarrow
