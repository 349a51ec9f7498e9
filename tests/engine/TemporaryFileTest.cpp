#include "TemporaryFile.hpp"

#include "TempDir.hpp"

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
        EXPECT_TRUE(IsTemporaryFileName(replacement.Get().Path().filename().wstring()));
        EXPECT_EQ(FileCount(dir.Path()), 2u);
    }
    EXPECT_EQ(ReadFileBytes(dir / "target"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(FileCount(dir.Path()), 1u);

    TemporaryFile replacement(dir / "target");
    replacement.Get().WriteAt(0, "new!", 4);
    replacement.Commit(true);
    EXPECT_EQ(ReadFileBytes(dir / "target"), (std::vector<std::uint8_t>{'n', 'e', 'w', '!'}));
    EXPECT_EQ(FileCount(dir.Path()), 1u);
}

TEST(TemporaryFile, CleaningUpRemovesLeftoversButNotAFileBeingWritten) {
    TempDir dir;
    WriteFileText(dir / "A.PAK.quarrow-tmp-00112233445566ff", "left behind by a killed run");
    WriteFileText(dir / "A.PAK.quarrow-tmp-0011223344556677x", "not of the form");
    WriteFileText(dir / "A.PAK", "an archive");
    TemporaryFile live(dir / "B.PAK");
    live.Get().WriteAt(0, "being written", 13);

    RemoveAbandonedTemporaryFiles(dir.Path());
    EXPECT_FALSE(std::filesystem::exists(dir / "A.PAK.quarrow-tmp-00112233445566ff"));
    EXPECT_TRUE(std::filesystem::exists(dir / "A.PAK.quarrow-tmp-0011223344556677x"));
    EXPECT_TRUE(std::filesystem::exists(dir / "A.PAK"));
    EXPECT_TRUE(std::filesystem::exists(live.Get().Path()));
}

TEST(TemporaryFile, NamesOfTheTemporaryForm) {
    EXPECT_TRUE(IsTemporaryFileName(L"X.PAK.quarrow-tmp-0123456789abcdef"));
    EXPECT_FALSE(IsTemporaryFileName(L".quarrow-tmp-0123456789abcdef"));
    EXPECT_FALSE(IsTemporaryFileName(L"X.quarrow-tmp-0123456789ABCDEF"));
    EXPECT_FALSE(IsTemporaryFileName(L"X.quarrow-tmp-0123456789abcde"));
}

} // namespace
} // namespace quarrow
