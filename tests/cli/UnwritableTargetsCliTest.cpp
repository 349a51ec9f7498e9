// quarrow-cli against targets it cannot change: each command ends with a message that names the file
// and the system's reason, exit code 1, and the file keeps every byte. On Windows the file is held by
// this test process, which for quarrow-cli is another process, or has the read-only attribute.
#include "FolderSnapshot.hpp"
#include "HandMadeArchive.hpp"
#include "HostPath.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"

#ifdef _WIN32
#include "WindowsFileHolds.hpp"
#endif

#include <gtest/gtest.h>

#include <memory>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgramRun;
using testing::SnapshotOf;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

class UnwritableTargets : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path box = dir / "box";

    void SetUp() override {
        HandMadeArchive archive;
        archive.Add("FREE.TXT", "free").Add("TAKEN.TXT", "new content");
        WriteFileBytes(box / "a.pak", archive.Bytes());
        WriteFileText(box / "out" / "TAKEN.TXT", "the user's file");
        WriteFileText(box / "one", "one");
    }

    ProgramRun Run(const std::vector<std::string>& arguments) {
        return testing::RunProgram(testing::HostPath(QUARROW_CLI_PATH), arguments, box);
    }

    // An I/O failure: exit code 3, and one message that says which file and why.
    static void ExpectFailure(const ProgramRun& run, const std::string& start) {
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with(start)) << run.err;
        EXPECT_EQ(run.err.find("不是有效PAK文件"), std::string::npos) << run.err;
    }
};

TEST_F(UnwritableTargets, AnArchiveThatCannotBeReadIsNotCalledNoArchive) {
    std::filesystem::create_directory(box / "folder.pak");
    ExpectFailure(Run({"list", "folder.pak"}), "quarrow-cli: cannot open folder.pak: ");
    ExpectFailure(Run({"append", "folder.pak", "one"}), "quarrow-cli: cannot open folder.pak: ");
}

TEST_F(UnwritableTargets, ADestinationThatIsAFileStopsExtractionWithOneMessage) {
    const auto before = SnapshotOf(box);
    const ProgramRun run = Run({"extract", "a.pak", "one"});
    ExpectFailure(run, "quarrow-cli: cannot create one: ");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_EQ(SnapshotOf(box), before);
}

#ifdef _WIN32

enum class Guard { HeldByAnotherProcess, ReadOnly };

std::shared_ptr<void> Protect(Guard guard, const std::filesystem::path& path) {
    if (guard == Guard::HeldByAnotherProcess) {
        return std::make_shared<testing::HeldWithoutSharing>(path);
    }
    return std::make_shared<testing::ReadOnlyAttribute>(path);
}

class UnwritableOnWindows : public UnwritableTargets, public ::testing::WithParamInterface<Guard> {
protected:
    void SetUp() override {
        if (GetParam() == Guard::ReadOnly && !testing::ReadOnlyAttributeBites(dir.Path())) {
            GTEST_SKIP() << "the read-only attribute does not stop writes here (Wine running as root)";
        }
        UnwritableTargets::SetUp();
    }
};

TEST_P(UnwritableOnWindows, PackOverTheArchive) {
    const auto before = SnapshotOf(box);
    {
        const auto guard = Protect(GetParam(), box / "a.pak");
        ExpectFailure(Run({"pack", "a.pak", "one"}), "quarrow-cli: cannot replace a.pak: ");
    }
    EXPECT_EQ(SnapshotOf(box), before);
}

TEST_P(UnwritableOnWindows, ExtractOverAFile) {
    ProgramRun run;
    {
        const auto guard = Protect(GetParam(), box / "out" / "TAKEN.TXT");
        run = Run({"extract", "a.pak", "out"});
    }
    ExpectFailure(run, "quarrow-cli: skipped entry 2 (TAKEN.TXT): cannot write it: ");
    EXPECT_EQ(SnapshotOf(box / "out"),
              (testing::FolderSnapshot{{"FREE.TXT", "free"}, {"TAKEN.TXT", "the user's file"}}));
}

TEST_P(UnwritableOnWindows, AppendToTheArchive) {
    const auto before = SnapshotOf(box);
    {
        const auto guard = Protect(GetParam(), box / "a.pak");
        ExpectFailure(Run({"append", "a.pak", "one"}), "quarrow-cli: cannot open a.pak: ");
    }
    EXPECT_EQ(SnapshotOf(box), before);
}

INSTANTIATE_TEST_SUITE_P(Guards, UnwritableOnWindows, ::testing::Values(Guard::HeldByAnotherProcess, Guard::ReadOnly),
                         [](const ::testing::TestParamInfo<Guard>& info) {
                             return info.param == Guard::HeldByAnotherProcess ? "HeldByAnotherProcess" : "ReadOnly";
                         });

TEST_F(UnwritableTargets, AnArchiveHeldByAnotherProcessCannotBeListed) {
    const testing::HeldWithoutSharing hold(box / "a.pak");
    ExpectFailure(Run({"list", "a.pak"}), "quarrow-cli: cannot open a.pak: ");
}

#endif

} // namespace
} // namespace quarrow
