// Extraction on a failing disk: an entry that cannot be written is reported with the system's reason,
// a file the user had under its name stays whole, a file begun for it is removed, and every entry that
// could be written is kept.
#include "Extractor.hpp"

#include "ArchiveReader.hpp"
#include "FaultPlan.hpp"
#include "FolderSnapshot.hpp"
#include "HandMadeArchive.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::FaultPlan;
using testing::FolderSnapshot;
using testing::HandMadeArchive;
using testing::SnapshotOf;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

struct Stored {
    const char* name; // as written below the destination
    std::size_t size;
    bool existedBefore;
};

// In index order. SUB/B.TXT is a file the user already has.
const Stored kEntries[] = {
    {"A.TXT", 120, false},     {"SUB/B.TXT", 200, true}, {"C.TXT", 0, false},
    {"SUB/D.TXT", 300, false}, {"NEW/E.TXT", 50, false},
};
constexpr const char* kUsersB = "the user's own B";

class ExtractFaults : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path out = dir / "out";
    Workspace workspace;

    void SetUp() override {
        HandMadeArchive archive;
        for (const Stored& entry : kEntries) {
            std::string stored = entry.name;
            std::replace(stored.begin(), stored.end(), '/', '\\');
            archive.Add(stored, Content(entry));
        }
        WriteFileBytes(dir / "a.pak", archive.Bytes());
        WriteFileText(out / "SUB" / "B.TXT", kUsersB);
        const ArchiveCheck check = CheckArchive(dir / "a.pak");
        ASSERT_TRUE(check);
        NullProgress progress;
        LoadArchive(workspace, dir / "a.pak", check.header, progress);
    }

    static std::string Content(const Stored& entry) { return std::string(entry.size, entry.name[0]); }

    ExtractionResult ExtractUnder(FaultPlan& plan) {
        NullProgress progress;
        const ScopedFileFaults scoped(plan);
        return ExtractArchive(workspace, dir / "a.pak", out, progress);
    }

    // What the destination must hold when the entries at `skipped` (1-based) were not written.
    static FolderSnapshot Expected(const std::vector<std::size_t>& skipped, bool newFolderMade = true) {
        FolderSnapshot expected{{"SUB", "<folder>"}};
        if (newFolderMade) {
            expected["NEW"] = "<folder>";
        }
        for (std::size_t i = 0; i < std::size(kEntries); ++i) {
            const Stored& entry = kEntries[i];
            const bool written = std::find(skipped.begin(), skipped.end(), i + 1) == skipped.end();
            if (written) {
                expected[entry.name] = Content(entry);
            } else if (entry.existedBefore) {
                expected[entry.name] = kUsersB;
            }
        }
        return expected;
    }

    // The entry (1-based) whose data holds byte `at` of all the entries' data, laid end to end.
    static std::size_t EntryHolding(std::uint64_t at) {
        std::uint64_t end = 0;
        for (std::size_t i = 0; i < std::size(kEntries); ++i) {
            end += kEntries[i].size;
            if (at < end) {
                return i + 1;
            }
        }
        return 0;
    }

    static std::uint64_t DataTotal() {
        std::uint64_t total = 0;
        for (const Stored& entry : kEntries) {
            total += entry.size;
        }
        return total;
    }
};

TEST_F(ExtractFaults, AWriteFailingOnceSkipsThatEntryAloneAtAnyByte) {
    for (std::uint64_t after = 0; after < DataTotal() && !HasFailure(); ++after) {
        SCOPED_TRACE("write fails after " + std::to_string(after) + " bytes");
        std::filesystem::remove_all(out);
        WriteFileText(out / "SUB" / "B.TXT", kUsersB);
        FaultPlan plan = FaultPlan::FailTransfer(FileOperation::Write, after, std::errc::io_error, false);
        const ExtractionResult result = ExtractUnder(plan);
        const std::size_t failed = EntryHolding(after);
        ASSERT_EQ(result.skipped.size(), 1u);
        EXPECT_EQ(result.skipped[0].position, failed);
        EXPECT_EQ(result.skipped[0].reason, SkipReason::CannotWrite);
        EXPECT_EQ(result.skipped[0].error, std::errc::io_error);
        EXPECT_EQ(result.written, std::size(kEntries) - 1);
        EXPECT_EQ(SnapshotOf(out), Expected({failed}));
    }
}

TEST_F(ExtractFaults, AFullDiskKeepsWhatWasWrittenAndReportsEveryEntryAfter) {
    for (std::uint64_t after = 0; after <= DataTotal() && !HasFailure(); ++after) {
        SCOPED_TRACE("disk full after " + std::to_string(after) + " bytes");
        std::filesystem::remove_all(out);
        WriteFileText(out / "SUB" / "B.TXT", kUsersB);
        FaultPlan plan = FaultPlan::DiskFull(after);
        const ExtractionResult result = ExtractUnder(plan);
        std::vector<std::size_t> expected;
        std::uint64_t end = 0;
        for (std::size_t i = 0; i < std::size(kEntries); ++i) {
            end += kEntries[i].size;
            if (kEntries[i].size > 0 && end > after) { // empty files still fit on a full disk
                expected.push_back(i + 1);
            }
        }
        std::vector<std::size_t> skipped;
        for (const SkippedEntry& entry : result.skipped) {
            skipped.push_back(entry.position);
            EXPECT_EQ(entry.reason, SkipReason::CannotWrite);
            EXPECT_EQ(entry.error, std::errc::no_space_on_device);
            EXPECT_NE(Describe(entry).find("cannot write it: "), std::string::npos);
        }
        EXPECT_EQ(skipped, expected);
        EXPECT_EQ(result.written, std::size(kEntries) - expected.size());
        EXPECT_EQ(SnapshotOf(out), Expected(expected));
    }
}

TEST_F(ExtractFaults, TheArchiveFailingToReadAtAnyByteSkipsThatEntryAlone) {
    for (std::uint64_t after = 0; after < DataTotal() && !HasFailure(); ++after) {
        SCOPED_TRACE("read fails after " + std::to_string(after) + " bytes");
        std::filesystem::remove_all(out);
        WriteFileText(out / "SUB" / "B.TXT", kUsersB);
        FaultPlan plan = FaultPlan::FailTransfer(FileOperation::Read, after, std::errc::io_error, false);
        const ExtractionResult result = ExtractUnder(plan);
        const std::size_t failed = EntryHolding(after);
        ASSERT_EQ(result.skipped.size(), 1u);
        EXPECT_EQ(result.skipped[0].position, failed);
        EXPECT_EQ(result.skipped[0].reason, SkipReason::CannotRead);
        EXPECT_EQ(result.skipped[0].error, std::errc::io_error);
        EXPECT_EQ(SnapshotOf(out), Expected({failed}));
    }
}

struct FailingStep {
    const char* name;
    FaultPlan plan;
    std::size_t skipped; // the entry that the fault hits
    bool newFolderMade = true;
};

void PrintTo(const FailingStep& step, std::ostream* os) { *os << step.name; }

class ExtractStepFaults : public ExtractFaults, public ::testing::WithParamInterface<FailingStep> {};

TEST_P(ExtractStepFaults, SkipTheEntryAndLoseNothing) {
    FaultPlan plan = GetParam().plan;
    const ExtractionResult result = ExtractUnder(plan);
    EXPECT_EQ(plan.FaultsCaused(), 1);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].position, GetParam().skipped);
    EXPECT_EQ(result.skipped[0].reason, SkipReason::CannotWrite);
    EXPECT_EQ(SnapshotOf(out), Expected({GetParam().skipped}, GetParam().newFolderMade));
}

FaultPlan Only(FaultPlan plan, const char* name) {
    plan.applies = [name](const std::filesystem::path& path) { return path.filename().string().starts_with(name); };
    return plan;
}

FaultPlan Within(FaultPlan plan, const char* level) {
    plan.applies = [level](const std::filesystem::path& path) {
        return path.generic_string().find(level) != std::string::npos;
    };
    return plan;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ExtractStepFaults,
    ::testing::Values(FailingStep{"CreatingANewFile", FaultPlan::FailCall(FileOperation::Create, 1), 1},
                      FailingStep{"ClosingANewFile", FaultPlan::FailCall(FileOperation::Close, 1), 1},
                      FailingStep{"PuttingANewFileInPlace", FaultPlan::FailCall(FileOperation::Replace, 1), 1},
                      FailingStep{"CreatingTheReplacementOfAUsersFile",
                                  Only(FaultPlan::FailCall(FileOperation::Create, 1), "B.TXT"), 2},
                      FailingStep{"ReplacingAUsersFile", Only(FaultPlan::FailCall(FileOperation::Replace, 1), "B.TXT"),
                                  2},
                      FailingStep{"CreatingAFolder", Within(FaultPlan::RefuseDirectories(), "/NEW"), 5, false}),
    [](const ::testing::TestParamInfo<FailingStep>& info) { return std::string(info.param.name); });

} // namespace
} // namespace quarrow
