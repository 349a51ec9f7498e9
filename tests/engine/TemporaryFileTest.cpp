#include "TemporaryFile.hpp"

#include "FolderScanner.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileText;

std::size_t FileCount(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(TemporaryFile, TakesTheTargetsPlaceOnlyWhenCommitted) {
    TempDir dir;
    WriteFileText(dir / "target", "old");
    {
        TemporaryFile replacement(dir / "target");
        replacement.Get().WriteAt(0, "new", 3);
        EXPECT_LE(FileCount(dir.Path()), 2u); // where the system has unnamed files, nothing shows
    }
    EXPECT_EQ(ReadFileBytes(dir / "target"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(FileCount(dir.Path()), 1u);

    TemporaryFile replacement(dir / "target");
    replacement.Get().WriteAt(0, "new!", 4);
    replacement.Commit(true);
    EXPECT_EQ(ReadFileBytes(dir / "target"), (std::vector<std::uint8_t>{'n', 'e', 'w', '!'}));
    EXPECT_EQ(FileCount(dir.Path()), 1u);
}

TEST(TemporaryFile, NeverTakesNorRemovesAFileItDidNotCreate) {
    TempDir dir;
    const auto users = dir / "A.PAK.quarrow-tmp-00112233445566ff";
    WriteFileText(users, "the user's own file of that form");
    WriteFileText(dir / "A.PAK", "an archive");
    {
        TemporaryFile abandoned(dir / "A.PAK");
        abandoned.Get().WriteAt(0, "abandoned", 9);
    }
    TemporaryFile replacement(dir / "A.PAK");
    replacement.Get().WriteAt(0, "new", 3);
    replacement.Commit(false);
    EXPECT_EQ(ReadFileBytes(users).size(), 32u);
    EXPECT_EQ(ReadFileBytes(dir / "A.PAK").size(), 3u);
    EXPECT_EQ(FileCount(dir.Path()), 2u);
}

TEST(TemporaryFile, AFolderScanLeavesOutOnlyOneThatALiveRunHolds) {
    TempDir dir;
    WriteFileText(dir / "A.PAK.quarrow-tmp-00112233445566ff", "being written by another run");
    WriteFileText(dir / "B.PAK.quarrow-tmp-00112233445566ff", "nobody's: the user's, or a leftover");
    File live = File::Open(dir / "A.PAK.quarrow-tmp-00112233445566ff", File::Mode::Read);
    ASSERT_TRUE(live.TryLockExclusive());
    TemporaryFile ours(dir / "C.PAK"); // unnamed, or on Windows marked for removal
    ours.Get().WriteAt(0, "being written by this run", 25);
    Workspace workspace;
    NullProgress progress;
    const FolderAdded added = AddFolder(workspace, dir.Path(), progress);
    EXPECT_TRUE(added.report.Empty());
    ASSERT_EQ(workspace.Count(), 1u);
    EXPECT_EQ(workspace.Entry(1).storedName, L"B.PAK.QUARROW-TMP-00112233445566FF");
}

#ifdef _WIN32
// All that a terminated run does to its files is close their handles.
TEST(TemporaryFile, OnWindowsTheSystemRemovesItWithItsHandleUntilItIsKept) {
    TempDir dir;
    auto removed = File::TryCreateNew(dir / "removed");
    auto kept = File::TryCreateNew(dir / "kept");
    ASSERT_TRUE(removed && kept);
    ASSERT_TRUE(removed->TryRemoveWhenClosed());
    ASSERT_TRUE(kept->TryRemoveWhenClosed());
    EXPECT_THROW(File::Open(dir / "removed", File::Mode::Read), FileError);
    kept->WriteAt(0, "kept", 4);
    kept->KeepWhenClosed();
    removed.reset();
    kept.reset();
    EXPECT_EQ(FileCount(dir.Path()), 1u);
    EXPECT_EQ(ReadFileBytes(dir / "kept"), (std::vector<std::uint8_t>{'k', 'e', 'p', 't'}));
}
#endif

TEST(TemporaryFile, NamesOfTheTemporaryForm) {
    EXPECT_TRUE(IsTemporaryFileName(L"X.PAK.quarrow-tmp-0123456789abcdef"));
    EXPECT_FALSE(IsTemporaryFileName(L".quarrow-tmp-0123456789abcdef"));
    EXPECT_FALSE(IsTemporaryFileName(L"X.quarrow-tmp-0123456789ABCDEF"));
    EXPECT_FALSE(IsTemporaryFileName(L"X.quarrow-tmp-0123456789abcde"));
}

} // namespace
} // namespace quarrow
