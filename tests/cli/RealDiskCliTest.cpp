// quarrow-cli on a disk that is really full or really read-only (a small file system mounted for the
// test; root meets these limits too): every command ends with the system's reason, exit code 1, what
// was there keeps every byte, and nothing half-written stays behind.
#include "FolderSnapshot.hpp"
#include "HandMadeArchive.hpp"
#include "HostPath.hpp"
#include "PrivateMount.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgramRun;
using testing::SnapshotOf;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

class RealDisk : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path disk = dir / "disk";

    void SetUp() override {
        if (!testing::PrivateMountsAvailable()) {
            GTEST_SKIP() << "mounting a file system for the test needs root and CAP_SYS_ADMIN";
        }
    }

    ProgramRun Run(const std::vector<std::string>& arguments) {
        return testing::RunProgram(testing::HostPath(QUARROW_CLI_PATH), arguments, disk);
    }

    static std::vector<std::uint8_t> ArchiveOfThree(std::size_t size) {
        HandMadeArchive archive;
        archive.Add("A.BIN", std::string(size, 'a'))
            .Add("B.BIN", std::string(size, 'b'))
            .Add("C.BIN", std::string(size, 'c'));
        return archive.Bytes();
    }
};

TEST_F(RealDisk, AFullDiskStopsPackAndAppendAndKeepsTheArchive) {
    testing::TmpfsMount mount(disk, 256 * 1024);
    WriteFileText(dir / "big", std::string(1024 * 1024, 'x'));
    WriteFileBytes(disk / "OLD.PAK", ArchiveOfThree(10));
    const auto before = SnapshotOf(disk);

    const ProgramRun pack = Run({"pack", "OLD.PAK", (dir / "big").string()});
    EXPECT_EQ(pack.exitCode, 3);
    EXPECT_EQ(pack.err, "quarrow-cli: cannot write OLD.PAK: No space left on device\n");
    EXPECT_EQ(SnapshotOf(disk), before);

    const ProgramRun append = Run({"append", "OLD.PAK", (dir / "big").string()});
    EXPECT_EQ(append.exitCode, 3);
    EXPECT_EQ(append.err, "quarrow-cli: cannot write OLD.PAK: No space left on device\n");
    EXPECT_EQ(SnapshotOf(disk), before);
}

TEST_F(RealDisk, AFullDiskKeepsTheEntriesWrittenAndNamesTheOthers) {
    testing::TmpfsMount mount(disk, 256 * 1024);
    WriteFileBytes(dir / "three.pak", ArchiveOfThree(100 * 1024));
    const ProgramRun run = Run({"extract", (dir / "three.pak").string(), "out"});
    EXPECT_EQ(run.exitCode, 3);
    // Two entries fit in 256 KiB, the third does not; it leaves nothing behind.
    EXPECT_EQ(run.err, "quarrow-cli: skipped entry 3 (C.BIN): cannot write it: No space left on device\n");
    EXPECT_EQ(SnapshotOf(disk / "out"), (testing::FolderSnapshot{{"A.BIN", std::string(100 * 1024, 'a')},
                                                                 {"B.BIN", std::string(100 * 1024, 'b')}}));
}

TEST_F(RealDisk, AReadOnlyDiskRefusesEveryCommandAndLosesNothing) {
    testing::TmpfsMount mount(disk, 1024 * 1024);
    WriteFileBytes(disk / "OLD.PAK", ArchiveOfThree(10));
    WriteFileText(disk / "out" / "A.BIN", "the user's A");
    WriteFileText(dir / "one", "one");
    mount.MakeReadOnly();
    const auto before = SnapshotOf(disk);

    const ProgramRun pack = Run({"pack", "OLD.PAK", (dir / "one").string()});
    EXPECT_EQ(pack.exitCode, 1);
    EXPECT_EQ(pack.err, "quarrow-cli: cannot pack: OLD.PAK: it is read-only\nquarrow-cli: OLD.PAK was not written\n");

    const ProgramRun append = Run({"append", "OLD.PAK", (dir / "one").string()});
    EXPECT_EQ(append.exitCode, 3);
    EXPECT_EQ(append.err, "quarrow-cli: cannot open OLD.PAK: Read-only file system\n");

    const ProgramRun intoNewFolder = Run({"extract", "OLD.PAK", "new"});
    EXPECT_EQ(intoNewFolder.exitCode, 3);
    EXPECT_EQ(intoNewFolder.err, "quarrow-cli: cannot create new: Read-only file system\n");

    const ProgramRun intoFolder = Run({"extract", "OLD.PAK", "out"});
    EXPECT_EQ(intoFolder.exitCode, 3);
    EXPECT_EQ(intoFolder.err, "quarrow-cli: skipped entry 1 (A.BIN): cannot write it: Read-only file system\n"
                              "quarrow-cli: skipped entry 2 (B.BIN): cannot write it: Read-only file system\n"
                              "quarrow-cli: skipped entry 3 (C.BIN): cannot write it: Read-only file system\n");
    EXPECT_EQ(SnapshotOf(disk), before);
}

} // namespace
} // namespace quarrow
