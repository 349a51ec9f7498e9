#include "ArchiveReader.hpp"

#include "HandMadeArchive.hpp"
#include "ProgressRecorder.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgressRecorder;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

std::filesystem::path Write(const TempDir& dir, const std::string& name, const HandMadeArchive& archive) {
    WriteFileBytes(dir / name, archive.Bytes());
    return dir / name;
}

TEST(CheckArchive, AcceptsTheMagicInAnyCase) {
    TempDir dir;
    HandMadeArchive lower;
    lower.magic = "paks";
    lower.Add("A.BIN", "x");
    HandMadeArchive mixed;
    mixed.magic = "PaKs";
    EXPECT_TRUE(CheckArchive(Write(dir, "lower.pak", lower)));
    EXPECT_TRUE(CheckArchive(Write(dir, "mixed.pak", mixed)));
}

struct Rejected {
    const char* name;
    std::vector<std::uint8_t> bytes;
    ArchiveProblem problem;
};

class CheckArchiveRejects : public ::testing::TestWithParam<Rejected> {};

TEST_P(CheckArchiveRejects, WithTheOpenErrorMessage) {
    TempDir dir;
    const auto path = dir / "bad.pak";
    WriteFileBytes(path, GetParam().bytes);
    const ArchiveCheck check = CheckArchive(path);
    EXPECT_FALSE(check);
    ASSERT_TRUE(check.problem.has_value());
    EXPECT_EQ(*check.problem, GetParam().problem);
}

HandMadeArchive WithCount(std::int32_t count) {
    HandMadeArchive archive;
    archive.Add("A.BIN", "0123456789");
    archive.setCount = true;
    archive.count = count;
    return archive;
}

HandMadeArchive WithIndexAt(std::int32_t offset) {
    HandMadeArchive archive;
    archive.Add("A.BIN", "0123456789");
    archive.setIndexOffset = true;
    archive.indexOffset = offset;
    return archive;
}

INSTANTIATE_TEST_SUITE_P(
    DamagedOrForeign, CheckArchiveRejects,
    ::testing::Values(Rejected{"Empty", {}, ArchiveProblem::BadMagic},
                      Rejected{"ThreeBytes", {'P', 'A', 'K'}, ArchiveProblem::BadMagic},
                      Rejected{"TextFile", {'h', 'e', 'l', 'l', 'o', '\n'}, ArchiveProblem::BadMagic},
                      Rejected{"MagicOnly", {'P', 'A', 'K', 'S', 1, 0}, ArchiveProblem::TruncatedHeader},
                      Rejected{"NegativeCount", WithCount(-1).Bytes(), ArchiveProblem::NegativeCount},
                      Rejected{"HugeCount", WithCount(0x7FFFFFFF).Bytes(), ArchiveProblem::IndexOutsideFile},
                      Rejected{"CountOneTooMany", WithCount(2).Bytes(), ArchiveProblem::IndexOutsideFile},
                      Rejected{"IndexPastEnd", WithIndexAt(0x7FFFFFF0).Bytes(), ArchiveProblem::IndexOutsideFile},
                      Rejected{"IndexNegative", WithIndexAt(-64).Bytes(), ArchiveProblem::IndexOutsideFile}),
    [](const ::testing::TestParamInfo<Rejected>& info) { return std::string(info.param.name); });

TEST(CheckArchive, AMissingFileFailsLikeAForeignOne) {
    TempDir dir;
    const ArchiveCheck check = CheckArchive(dir / "none.pak");
    ASSERT_TRUE(check.problem.has_value());
    EXPECT_EQ(*check.problem, ArchiveProblem::CannotOpen);
    EXPECT_TRUE(check.error);
}

// 64 × 0x04000001 is 4 GiB + 64: a 32-bit size wraps to 64. The file is sparse, a few KB on disk.
TEST(CheckArchive, ACountWhoseIndexOutgrowsTheAddressSpaceIsRefusedBeforeAnythingIsAllocated) {
    TempDir dir;
    HandMadeArchive header;
    header.setCount = true;
    header.count = 0x04000001;
    const auto path = Write(dir, "sparse.pak", header);
    std::filesystem::resize_file(path, kDataStart + std::uint64_t{kEntrySize} * 0x04000001);

    const ArchiveCheck check = CheckArchive(path);
    if constexpr (sizeof(std::size_t) < 8) {
        ASSERT_TRUE(check.problem.has_value());
        EXPECT_EQ(*check.problem, ArchiveProblem::IndexTooLarge);
        EXPECT_THROW(ReadArchiveIndex(path, check.header), InvalidArchive);
        EXPECT_THROW(IndexChunks(path, check.header), InvalidArchive);
    } else {
        // It fits here, and a pass over it holds one chunk at a time.
        ASSERT_TRUE(check);
        IndexChunks index(path, check.header);
        EXPECT_EQ(index.Count(), 0x04000001u);
        EXPECT_EQ(index.Next().size(), IndexChunks::kChunkEntries);
    }
}

TEST(CheckArchive, AnEmptyArchiveIsAnArchive) {
    TempDir dir;
    HandMadeArchive empty;
    empty.setIndexOffset = true;
    empty.indexOffset = 0x7FFFFFFF; // nothing is read there
    EXPECT_TRUE(CheckArchive(Write(dir, "empty.pak", empty)));
}

TEST(LoadArchive, ThreeEntriesShowTheirProgressAndFillTheListInIndexOrder) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("DATA\\B.BMP", "bb").Add("A.BIN", "a").Add("DATA\\IMG\\C.BMP", "ccc");
    const auto path = Write(dir, "three.pak", archive);
    const ArchiveCheck check = CheckArchive(path);
    ASSERT_TRUE(check);

    Workspace workspace;
    workspace.AddArchiveEntry(L"OLD", 1, 24);
    ProgressRecorder progress;
    LoadArchive(workspace, path, check.header, progress);

    EXPECT_EQ(progress.events,
              (std::vector<std::string>{"show", "step ReadingIndex", "items.total 3", "stages.visible 0",
                                        "item stored=DATA\\B.BMP", "items.done 1", "breathe", "item stored=A.BIN",
                                        "items.done 2", "breathe", "item stored=DATA\\IMG\\C.BMP", "items.done 3",
                                        "breathe", "step IndexRead", "item ", "breathe", "close"}));
    ASSERT_EQ(workspace.Count(), 3u);
    EXPECT_EQ(workspace.MasterText(1, 1), L"DATA\\B.BMP");
    EXPECT_EQ(workspace.MasterText(2, 3), L"26");
    EXPECT_EQ(workspace.MasterText(3, 4), L"DATA\\IMG");
    EXPECT_EQ(workspace.VisibleText(3, 1), L"C.BMP");
    EXPECT_EQ(workspace.ArchivePath(), path);
}

TEST(LoadArchive, NamesOfFortyBytesChineseAndUndecodableBytes) {
    TempDir dir;
    const std::string forty(40, 'N');
    const std::string chinese = "\xB5\xD8\xCD\xBC\\\xB3\xC7.MAP"; // 地图\城.MAP
    const std::string broken = "A\x81\x7F.BIN";
    HandMadeArchive archive;
    archive.Add(forty, "1").Add(chinese, "2").Add(broken, "3");
    const auto path = Write(dir, "names.pak", archive);
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, path, CheckArchive(path).header, progress);
    ASSERT_EQ(workspace.Count(), 3u);
    EXPECT_EQ(workspace.Entry(1).storedName, std::wstring(40, L'N'));
    EXPECT_EQ(workspace.Entry(2).storedName, L"地图\\城.MAP");
    EXPECT_EQ(workspace.VisibleText(2, 3), L"地图");
    EXPECT_TRUE(workspace.Entry(2).storedNameExact);
    EXPECT_FALSE(workspace.Entry(3).storedNameExact);
    EXPECT_NE(workspace.Entry(3).storedName.find(L'\uFFFD'), std::wstring::npos);
}

TEST(LoadArchive, EntriesWhoseDataLiesOutsideTheFileAreListed) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("GOOD.BIN", "abc").AddRaw("PAST.BIN", 1000, 24).AddRaw("NEG.BIN", -5, -100);
    const auto path = Write(dir, "outside.pak", archive);
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, path, CheckArchive(path).header, progress);
    ASSERT_EQ(workspace.Count(), 3u);
    EXPECT_EQ(workspace.MasterText(2, 2), L"1000");
    EXPECT_EQ(workspace.MasterText(3, 3), L"-100");
}

TEST(LoadArchive, AnIndexAtAMultipleOfSixteenReadsTheSame) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.BIN", std::string(8, 'a')); // data ends at 32: the natural index lies at 32
    const auto path = Write(dir, "aligned.pak", archive);
    const ArchiveCheck check = CheckArchive(path);
    ASSERT_TRUE(check);
    ASSERT_EQ(check.header.indexOffset, 32);
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, path, check.header, progress);
    EXPECT_EQ(workspace.MasterText(1, 1), L"A.BIN");
}

TEST(LoadArchive, AnArchiveCutShortSinceItsCheckLeavesTheWorkspaceAlone) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.BIN", "a").Add("B.BIN", "b");
    const auto path = Write(dir, "cut.pak", archive);
    const ArchiveCheck check = CheckArchive(path);
    ASSERT_TRUE(check);
    auto bytes = archive.Bytes();
    bytes.resize(bytes.size() - 10);
    WriteFileBytes(path, bytes);

    Workspace workspace;
    workspace.AddArchiveEntry(L"KEPT", 1, 24);
    workspace.SetArchivePath("previous.pak");
    ProgressRecorder progress;
    EXPECT_THROW(LoadArchive(workspace, path, check.header, progress), InvalidArchive);
    EXPECT_EQ(workspace.Count(), 1u);
    EXPECT_EQ(workspace.ArchivePath(), std::filesystem::path("previous.pak"));
    EXPECT_TRUE(progress.events.empty());
}

} // namespace
} // namespace quarrow
