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

    // A failure of the system (exit code 3), or a refusal of our own before anything is written (1),
    // with one message that says which file and why.
    static void ExpectFailure(const ProgramRun& run, const std::string& start, int exitCode = 3) {
        EXPECT_EQ(run.exitCode, exitCode);
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

#ifndef _WIN32
// What must never pass for success: each run is refused with its reason and exit code, and the box
// keeps every byte. Both commands run in /bin/sh in the box, CLI standing for quarrow-cli; the first
// prepares, the second is judged (flock holds the archive as another writer would).
struct Refusal {
    const char* name;
    const char* prepare;
    const char* command;
    int exitCode;
    const char* reason;
};

void PrintTo(const Refusal& refusal, std::ostream* os) { *os << refusal.name; }

class Refused : public UnwritableTargets, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, WithAReason) {
    const auto shell = [&](std::string command) {
        std::string cli = "'" + testing::HostPath(QUARROW_CLI_PATH).string() + "'";
#ifdef QUARROW_PROGRAM_EMULATOR
        // The shell is the host's; the program under test runs in the emulator.
        cli = QUARROW_PROGRAM_EMULATOR " " + cli;
#endif
        for (auto at = command.find("CLI"); at != std::string::npos; at = command.find("CLI", at + cli.size())) {
            command.replace(at, 3, cli);
        }
        return testing::RunProgram("/bin/sh", {"-c", command}, box);
    };
    ASSERT_EQ(shell(GetParam().prepare).exitCode, 0);
    const auto before = SnapshotOf(box);
    const ProgramRun run = shell(GetParam().command);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_NE(run.err.find(GetParam().reason), std::string::npos) << run.err;
    EXPECT_EQ(SnapshotOf(box), before);
}

// Pipes live outside the box, where the snapshot would wait on them.
INSTANTIATE_TEST_SUITE_P(
    Runs, Refused,
    ::testing::Values(Refusal{"AnEmptyOutputName", ":", "CLI update a.pak -o '' one", 2, "-o names no file"},
                      Refusal{"AppendWhoseAddressesCannotBePrinted", "cp a.pak ../copy.pak",
                              "CLI append ../copy.pak one >/dev/full", 3, "cannot write to the standard output"},
                      Refusal{"ListToAFullDevice", ":", "CLI list a.pak >/dev/full", 3, "standard output"},
                      Refusal{"AFifoToRead", "mkfifo ../pipe", "CLI list ../pipe", 1, "not a regular file"},
                      Refusal{"AFifoToWrite", "mkfifo ../pipe", "CLI pack ../pipe one", 1, "pipe: it is no file"},
                      Refusal{"AnUpdateWhileAnotherWrites", ":", "flock a.pak CLI update a.pak one", 1,
                              "another program is writing it"},
                      Refusal{"AnAppendWhileAnotherWrites", ":", "flock a.pak CLI append a.pak one", 1,
                              "another program is writing it"},
                      Refusal{"ASecondNameOfTheArchive", "ln a.pak b.pak", "CLI delete a.pak FREE.TXT", 1, "-o FILE"},
                      Refusal{"ThePackedFolderHoldsTheArchive", "cp a.pak out/SELF.PAK", "CLI pack out/SELF.PAK out", 1,
                              "is the archive being written"},
                      Refusal{"AFolderHoldingWhatNoScanCanTake",
                              "mkdir ../odd && echo fine >../odd/fine.txt && mkfifo ../odd/pipe",
                              "CLI pack x.pak ../odd", 1, "left out ../odd/pipe: it is not a regular file"},
                      Refusal{"AFileSizeLimit", "head -c 8192 /dev/zero >big", "ulimit -f 4; CLI pack big.pak big", 3,
                              "File too large"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });
#endif

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
        // Refused before anything is written: the archive is held by another writer, or read-only.
        ExpectFailure(Run({"pack", "a.pak", "one"}), "quarrow-cli: cannot pack: a.pak: ", 1);
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
