// Pack on a failing disk: whatever fails and wherever it fails, the pack ends with an error that names
// the archive, an archive the user already had stays as it was (also when the pack rewrites the very
// archive its entries come from), and no temporary file stays behind.
#include "ArchiveWriter.hpp"

#include "ArchiveReader.hpp"
#include "FaultPlan.hpp"
#include "FolderSnapshot.hpp"
#include "ProgressRecorder.hpp"
#include "StreamCopy.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace quarrow {
namespace {

using testing::FaultPlan;
using testing::ProgressRecorder;
using testing::SnapshotOf;
using testing::TempDir;
using testing::WriteFileText;

// The bytes a successful pack of a copy of `workspace` reads and writes, measured on a file of its own.
FaultPlan MeasurePack(const Workspace& workspace, const std::filesystem::path& target) {
    FaultPlan counting = FaultPlan::Counting();
    Workspace copy = workspace;
    NullProgress progress;
    const ScopedFileFaults scoped(counting);
    PackArchive(copy, target, progress);
    return counting;
}

class PackFaults : public ::testing::Test {
protected:
    TempDir dir;
    Workspace workspace;
    std::filesystem::path folder = dir / "out";
    std::filesystem::path target = folder / "A.PAK";

    void AddSource(const std::string& name, std::size_t size) {
        WriteFileText(dir / "src" / name, std::string(size, name[0]));
        ASSERT_FALSE(workspace.AddFileEntry(dir / "src" / name));
    }

    void SetUp() override {
        AddSource("ten", 10);
        AddSource("three hundred", 300);
        AddSource("empty", 0);
        AddSource("thousand", 1000);
        WriteFileText(target, "the user's old archive");
        WriteFileText(folder / "notes.txt", "the user's notes");
    }

    FaultPlan Measure() { return MeasurePack(workspace, dir / "measure.pak"); }

    // Packs a copy of the workspace under `plan` and returns the error it ended with.
    std::optional<FileError> PackFailing(FaultPlan& plan, ProgressRecorder& progress) {
        Workspace copy = workspace;
        try {
            const ScopedFileFaults scoped(plan);
            PackArchive(copy, target, progress);
        } catch (const FileError& error) {
            ExpectUnchanged(copy);
            return error;
        }
        ADD_FAILURE() << "the pack succeeded";
        return std::nullopt;
    }

    void ExpectUnchanged(const Workspace& copy) {
        for (std::size_t i = 1; i <= copy.Count(); ++i) {
            EXPECT_FALSE(copy.Entry(i).dataOffset.has_value());
        }
        EXPECT_TRUE(copy.ArchivePath().empty());
    }
};

TEST_F(PackFaults, AWriteFailingAtAnyByteLeavesTheOldArchiveAndNoTemporaryFile) {
    const auto before = SnapshotOf(folder);
    const std::uint64_t total = Measure().BytesWritten();
    ASSERT_GT(total, 1300u);
    for (std::uint64_t after = 0; after < total && !HasFailure(); ++after) {
        SCOPED_TRACE("write fails after " + std::to_string(after) + " bytes");
        // Alternately a full disk and a disk that fails once.
        const bool full = after % 2 == 0;
        FaultPlan plan = full ? FaultPlan::DiskFull(after)
                              : FaultPlan::FailTransfer(FileOperation::Write, after, std::errc::io_error, false);
        ProgressRecorder progress;
        const auto error = PackFailing(plan, progress);
        ASSERT_TRUE(error);
        EXPECT_EQ(plan.FaultsCaused(), 1);
        EXPECT_EQ(error->Operation(), FileOperation::Write);
        EXPECT_EQ(error->Path(), target);
        EXPECT_EQ(error->Code(), full ? std::errc::no_space_on_device : std::errc::io_error);
        EXPECT_EQ(progress.events.back(), "close");
        EXPECT_EQ(SnapshotOf(folder), before);
    }
}

TEST_F(PackFaults, ASourceFailingAtAnyByteStopsThePackAndNamesTheEntry) {
    const auto before = SnapshotOf(folder);
    const std::uint64_t total = Measure().BytesRead();
    ASSERT_EQ(total, 1310u);
    const std::uint64_t ends[] = {10, 310, 1310}; // the sources' last bytes, in list order
    for (std::uint64_t after = 0; after < total && !HasFailure(); ++after) {
        SCOPED_TRACE("read fails after " + std::to_string(after) + " bytes");
        FaultPlan plan = FaultPlan::FailTransfer(FileOperation::Read, after, std::errc::io_error, false);
        Workspace copy = workspace;
        NullProgress progress;
        try {
            const ScopedFileFaults scoped(plan);
            PackArchive(copy, target, progress);
            ADD_FAILURE() << "the pack succeeded";
        } catch (const PackError& error) {
            const std::size_t expected = after < ends[0] ? 1 : after < ends[1] ? 2 : 4;
            EXPECT_EQ(error.Problem(), PackProblem::SourceUnreadable);
            EXPECT_EQ(error.Position(), expected);
            EXPECT_EQ(error.Problems().front().error, std::errc::io_error);
        }
        ExpectUnchanged(copy);
        EXPECT_EQ(SnapshotOf(folder), before);
    }
}

struct FailingCall {
    const char* name;
    FileOperation operation;
    bool namesTheFolder = false; // a file that cannot be created there is the folder's problem
};

class PackCallFaults : public PackFaults, public ::testing::WithParamInterface<FailingCall> {};

TEST_P(PackCallFaults, LeaveTheOldArchiveAndNoTemporaryFile) {
    const auto before = SnapshotOf(folder);
    FaultPlan plan = FaultPlan::FailCall(GetParam().operation, 1);
    plan.applies = [&](const std::filesystem::path& path) { return path.parent_path() == folder; };
    ProgressRecorder progress;
    const auto error = PackFailing(plan, progress);
    ASSERT_TRUE(error);
    EXPECT_EQ(plan.FaultsCaused(), 1);
    EXPECT_EQ(error->Operation(), GetParam().operation);
    EXPECT_EQ(error->Path(), GetParam().namesTheFolder ? folder : target);
    EXPECT_EQ(SnapshotOf(folder), before);
}

INSTANTIATE_TEST_SUITE_P(Calls, PackCallFaults,
                         ::testing::Values(FailingCall{"CreatingTheTemporaryFile", FileOperation::Create, true},
                                           FailingCall{"FlushingBeforeTheOldArchiveIsReplaced", FileOperation::Flush},
                                           FailingCall{"ClosingBeforeTheRename", FileOperation::Close},
                                           FailingCall{"ReplacingTheOldArchive", FileOperation::Replace}),
                         [](const ::testing::TestParamInfo<FailingCall>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PackFaults, AFullDiskAtTheCopyBuffersEdgesLeavesTheOldArchive) {
    WriteFileText(dir / "src" / "large", std::string(2 * kCopyChunk + 5, 'L'));
    ASSERT_FALSE(workspace.AddFileEntry(dir / "src" / "large"));
    const auto before = SnapshotOf(folder);
    const std::uint64_t total = Measure().BytesWritten();
    const std::uint64_t chunk = kCopyChunk;
    for (const std::uint64_t after :
         {std::uint64_t{0}, chunk - 1, chunk, chunk + 1, 2 * chunk, total - 65, total - 1}) {
        SCOPED_TRACE("disk full after " + std::to_string(after) + " bytes");
        FaultPlan plan = FaultPlan::DiskFull(after);
        ProgressRecorder progress;
        const auto error = PackFailing(plan, progress);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Code(), std::errc::no_space_on_device);
        EXPECT_EQ(SnapshotOf(folder), before);
    }
}

TEST_F(PackFaults, WithoutAnOldArchiveAFailedPackLeavesNoFileAtAll) {
    std::filesystem::remove(target);
    const auto before = SnapshotOf(folder);
    const std::uint64_t total = Measure().BytesWritten();
    for (std::uint64_t after = 0; after < total; after += 97) {
        FaultPlan plan = FaultPlan::DiskFull(after);
        ProgressRecorder progress;
        ASSERT_TRUE(PackFailing(plan, progress));
        EXPECT_EQ(SnapshotOf(folder), before) << "disk full after " << after << " bytes";
    }
}

// An update written over the archive it was opened from: entries copied from the archive, one
// replaced by a file, one added.
class UpdateFaults : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path folder = dir / "out";
    std::filesystem::path target = folder / "A.PAK";
    Workspace workspace;

    void SetUp() override {
        Workspace original;
        for (const auto& [name, size] : {std::pair{"ten", 10}, {"three hundred", 300}, {"thousand", 1000}}) {
            WriteFileText(dir / "src" / name, std::string(static_cast<std::size_t>(size), name[0]));
            ASSERT_FALSE(original.AddFileEntry(dir / "src" / name));
        }
        NullProgress progress;
        std::filesystem::create_directories(folder);
        PackArchive(original, target, progress);
        WriteFileText(folder / "notes.txt", "the user's notes");

        LoadArchive(workspace, target, CheckArchive(target).header, progress);
        WriteFileText(dir / "src" / "replacement", std::string(500, 'r'));
        WriteFileText(dir / "src" / "added", std::string(200, 'a'));
        ASSERT_FALSE(workspace.ReplaceEntryData(2, dir / "src" / "replacement"));
        ASSERT_FALSE(workspace.AddFileEntry(dir / "src" / "added"));
    }

    FaultPlan Measure() { return MeasurePack(workspace, dir / "measure.pak"); }

    // Packs a copy of the workspace over the archive under `plan`; the copy must come out unchanged.
    template <typename Error> std::optional<Error> UpdateFailing(FileFaults& plan) {
        Workspace copy = workspace;
        NullProgress progress;
        try {
            const ScopedFileFaults scoped(plan);
            PackArchive(copy, target, progress);
            ADD_FAILURE() << "the update succeeded";
        } catch (const Error& error) {
            for (std::size_t i = 1; i <= copy.Count(); ++i) {
                EXPECT_EQ(copy.Entry(i).archive, workspace.Entry(i).archive);
                EXPECT_EQ(copy.Entry(i).dataOffset, workspace.Entry(i).dataOffset);
            }
            return error;
        }
        return std::nullopt;
    }
};

TEST_F(UpdateFaults, AWriteFailingAtAnyByteLeavesTheArchiveItWasOpenedFrom) {
    const auto before = SnapshotOf(folder);
    const std::uint64_t total = Measure().BytesWritten();
    ASSERT_GT(total, 1700u);
    for (std::uint64_t after = 0; after < total && !HasFailure(); ++after) {
        SCOPED_TRACE("write fails after " + std::to_string(after) + " bytes");
        FaultPlan plan = after % 2 == 0
                             ? FaultPlan::DiskFull(after)
                             : FaultPlan::FailTransfer(FileOperation::Write, after, std::errc::io_error, false);
        const auto error = UpdateFailing<FileError>(plan);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Path(), target);
        EXPECT_EQ(SnapshotOf(folder), before);
    }
}

// Another program rewrites the archive in place while the update runs: same length, same header, one
// byte of an entry's data changed. The update stops rather than put those bytes under the old index.
class RewritesInPlace : public FileFaults {
public:
    explicit RewritesInPlace(std::filesystem::path archive) : archive_(std::move(archive)) {}
    void BeforeOperation(FileOperation operation, const std::filesystem::path&) override {
        if (operation == FileOperation::Flush && !done_) {
            done_ = true;
            std::fstream file(archive_, std::ios::in | std::ios::out | std::ios::binary);
            wrote_ = file.seekp(30).put('X').flush().good();
        }
    }
    bool Wrote() const { return wrote_; }

private:
    std::filesystem::path archive_;
    bool done_ = false;
    bool wrote_ = false;
};

TEST_F(UpdateFaults, AnArchiveChangedInPlaceMeanwhileIsNeitherMixedInNorReplaced) {
    RewritesInPlace other(target);
#ifdef _WIN32
    // Here no other program can: the update holds the archive in a share mode that denies writers.
    Workspace copy = workspace;
    NullProgress progress;
    {
        const ScopedFileFaults scoped(other);
        PackArchive(copy, target, progress);
    }
    EXPECT_FALSE(other.Wrote());
    return;
#endif
    const auto error = UpdateFailing<PackError>(other);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Problem(), PackProblem::SourceArchiveChanged);
    const auto bytes = testing::ReadFileBytes(target);
    ASSERT_GT(bytes.size(), 30u);
    EXPECT_TRUE(other.Wrote());
    EXPECT_EQ(bytes[30], 'X'); // the other program's write stands
    EXPECT_EQ(SnapshotOf(folder).size(), 2u);
}

TEST_F(UpdateFaults, AReadFailingAtAnyByteOfTheArchiveOrAFileLeavesTheArchive) {
    const auto before = SnapshotOf(folder);
    const std::uint64_t total = Measure().BytesRead();
    // The archive's header to check it before the copy and again before the rename, its first and last
    // entries, the replacement and the new file.
    ASSERT_EQ(total, 16u + 10u + 1000u + 500u + 200u + 16u);
    for (std::uint64_t after = 0; after < total && !HasFailure(); ++after) {
        SCOPED_TRACE("read fails after " + std::to_string(after) + " bytes");
        FaultPlan plan = FaultPlan::FailTransfer(FileOperation::Read, after, std::errc::io_error, false);
        const auto error = UpdateFailing<PackError>(plan);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Problem(), PackProblem::SourceUnreadable);
        EXPECT_EQ(SnapshotOf(folder), before);
    }
}

} // namespace
} // namespace quarrow
