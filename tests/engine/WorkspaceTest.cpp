#include "Workspace.hpp"

#include "SystemPath.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::TempDir;
using testing::WriteFileText;

std::vector<std::wstring> MasterRow(const Workspace& workspace, std::size_t position) {
    return {workspace.MasterText(position, 1), workspace.MasterText(position, 2), workspace.MasterText(position, 3),
            workspace.MasterText(position, 4)};
}

std::vector<std::wstring> VisibleRow(const Workspace& workspace, std::size_t position) {
    return {workspace.VisibleText(position, 1), workspace.VisibleText(position, 2), workspace.VisibleText(position, 3)};
}

TEST(Workspace, ColumnsOfAnAddedFile) {
    TempDir dir;
    WriteFileText(dir / "Map.dat", "12345");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "Map.dat"));
    const std::wstring path = WideFromPath(dir / "Map.dat");
    EXPECT_EQ(MasterRow(workspace, 1), (std::vector<std::wstring>{path, L"5", L"", L"Map.dat"}));
    EXPECT_EQ(VisibleRow(workspace, 1), (std::vector<std::wstring>{L"Map.dat", L"5", WideFromPath(dir.Path())}));
}

TEST(Workspace, ColumnsOfAFolderEntryAndOfAnArchiveEntry) {
    TempDir dir;
    WriteFileText(dir / "Maps" / "Town.map", "abc");
    Workspace workspace;
    workspace.AddFolderEntry(dir / "Maps" / "Town.map", L"MAPS\\TOWN.MAP", 3);
    workspace.AddArchiveEntry(L"DATA\\IMG\\A.BMP", 10, 24);
    workspace.AddArchiveEntry(L"ROOT.BIN", 0, 34);

    EXPECT_EQ(MasterRow(workspace, 1),
              (std::vector<std::wstring>{WideFromPath(dir / "Maps" / "Town.map"), L"3", L"", L"MAPS\\TOWN.MAP"}));
    EXPECT_EQ(VisibleRow(workspace, 1), (std::vector<std::wstring>{L"Town.map", L"3", L"MAPS"}));
    EXPECT_EQ(MasterRow(workspace, 2), (std::vector<std::wstring>{L"DATA\\IMG\\A.BMP", L"10", L"24", L"DATA\\IMG"}));
    EXPECT_EQ(VisibleRow(workspace, 2), (std::vector<std::wstring>{L"A.BMP", L"10", L"DATA\\IMG"}));
    EXPECT_EQ(VisibleRow(workspace, 3), (std::vector<std::wstring>{L"ROOT.BIN", L"0", L""}));
}

TEST(Workspace, AFileWhoseLengthCannotBeReadIsReportedAndNotAdded) {
    TempDir dir;
    Workspace workspace;
    EXPECT_TRUE(workspace.AddFileEntry(dir / "gone.bin"));
    EXPECT_TRUE(workspace.AddFileEntry(dir.Path())); // a folder has no length
    EXPECT_EQ(workspace.Count(), 0u);
}

TEST(Workspace, TheSameFileTwiceGivesTwoRows) {
    TempDir dir;
    WriteFileText(dir / "a.bin", "x");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "a.bin"));
    ASSERT_FALSE(workspace.AddFileEntry(dir / "a.bin"));
    EXPECT_EQ(workspace.Count(), 2u);
}

Workspace FiveArchiveRows() {
    Workspace workspace;
    for (int i = 1; i <= 5; ++i) {
        workspace.AddArchiveEntry(L"E" + std::to_wstring(i), i, 24);
    }
    return workspace;
}

TEST(Workspace, RemovingRowsTwoThreeAndFiveKeepsOneAndFourInOrder) {
    Workspace workspace = FiveArchiveRows();
    const std::size_t selected[] = {2, 3, 5};
    workspace.RemoveSelectedEntries(selected);
    ASSERT_EQ(workspace.Count(), 2u);
    EXPECT_EQ(workspace.MasterText(1, 1), L"E1");
    EXPECT_EQ(workspace.MasterText(2, 1), L"E4");
}

TEST(Workspace, RemovingNothingOrEverything) {
    Workspace workspace = FiveArchiveRows();
    workspace.RemoveSelectedEntries({});
    EXPECT_EQ(workspace.Count(), 5u);
    const std::size_t all[] = {1, 2, 3, 4, 5};
    workspace.RemoveSelectedEntries(all);
    EXPECT_EQ(workspace.Count(), 0u);
}

TEST(Workspace, RemovesMoreThanASixteenBitCountAtOnce) {
    Workspace workspace;
    std::vector<std::size_t> even;
    for (std::size_t i = 1; i <= 70'000; ++i) {
        workspace.AddArchiveEntry(std::to_wstring(i), 0, 24);
        if (i % 2 == 0) {
            even.push_back(i);
        }
    }
    workspace.RemoveSelectedEntries(even);
    ASSERT_EQ(workspace.Count(), 35'000u);
    EXPECT_EQ(workspace.MasterText(35'000, 1), L"69999");
}

TEST(Workspace, PositionsOutOfRangeOrOrderAreRefusedWithoutChange) {
    Workspace workspace = FiveArchiveRows();
    const std::size_t beyond[] = {2, 6};
    const std::size_t descending[] = {3, 2};
    const std::size_t zero[] = {0};
    EXPECT_THROW(workspace.RemoveSelectedEntries(beyond), std::invalid_argument);
    EXPECT_THROW(workspace.RemoveSelectedEntries(descending), std::invalid_argument);
    EXPECT_THROW(workspace.RemoveSelectedEntries(zero), std::invalid_argument);
    EXPECT_EQ(workspace.Count(), 5u);
    EXPECT_THROW(workspace.Entry(6), std::out_of_range);
}

TEST(Workspace, ReplacingAnEntrysDataKeepsItsNameOriginAndPlace) {
    TempDir dir;
    WriteFileText(dir / "new.bin", "1234567");
    PakEntry record;
    record.size = 3;
    record.dataOffset = 40;
    const std::string raw = "DATA\\A.BIN";
    std::copy(raw.begin(), raw.end(), record.name.begin());
    const auto archive = std::make_shared<const SourceArchive>(dir / "a.pak", 100, HeaderBytes{});
    Workspace workspace = FiveArchiveRows();
    workspace.AddArchiveEntry(archive, record, {L"DATA\\A.BIN", true});
    workspace.AddArchiveEntry(L"LAST", 1, 24);

    EXPECT_TRUE(workspace.ReplaceEntryData(6, dir / "missing.bin")); // nothing changes then
    EXPECT_EQ(workspace.Entry(6).archive, archive);
    ASSERT_FALSE(workspace.ReplaceEntryData(6, dir / "new.bin"));
    const WorkspaceEntry& entry = workspace.Entry(6);
    EXPECT_EQ(entry.origin, EntryOrigin::Archive);
    EXPECT_EQ(entry.storedName, L"DATA\\A.BIN");
    EXPECT_EQ(entry.nameField, record.name);
    EXPECT_EQ(entry.source, dir / "new.bin");
    EXPECT_EQ(entry.archive, nullptr);
    EXPECT_FALSE(entry.dataOffset);
    EXPECT_EQ(VisibleRow(workspace, 6), (std::vector<std::wstring>{L"A.BIN", L"7", L"DATA"}));
    EXPECT_EQ(workspace.MasterText(7, 1), L"LAST");
}

TEST(Workspace, ClearEmptiesButKeepsTheCurrentArchive) {
    Workspace workspace = FiveArchiveRows();
    workspace.SetArchivePath("x.pak");
    workspace.Clear();
    EXPECT_EQ(workspace.Count(), 0u);
    EXPECT_EQ(workspace.ArchivePath(), std::filesystem::path("x.pak"));
}

} // namespace
} // namespace quarrow
