// Typed names find entries without regard to case and with "/" for "\", in a workspace and in a bare
// index alike.
#include "EntryNames.hpp"

#include "HandMadeArchive.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::TempDir;
using Positions = std::vector<std::size_t>;

struct Lookup {
    std::wstring typed;
    Positions found;
};

TEST(FindEntries, MatchesCaseInsensitivelyWithEitherSeparatorAndEveryRepeat) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("DATA\\MAP.BIN", "1")
        .Add("Data\\Sub\\x.txt", "2")
        .Add("\xB5\xD8\xCD\xBC\\\xB3\xC7.MAP", "3") // 地图\城.MAP
        .Add("ROOT.BIN", "4")
        .Add("data\\map.bin", "5")
        .Add("\xA6\xC1.BIN", "6") // Greek small alpha, whose capital is Α
        .Add("A\x81\x7F.BIN", "7");
    testing::WriteFileBytes(dir / "a.pak", archive.Bytes());
    const Lookup lookups[] = {
        {L"data/map.bin", {1, 5}}, // a repeated name gives every entry of it
        {L"DATA\\SUB\\X.TXT", {2}},   {L"地图/城.map", {3}}, {L"Α.bin", {6}}, {L"ROOT", {}}, // whole names only
        {L"\\ROOT.BIN", {4}}, // a leading separator and a doubled one extract to the same file
        {L"DATA\\\\MAP.BIN", {1, 5}}, {L"root.bin", {4}},
    };
    // Folders select what lies below them, whole levels only; "*" crosses levels, "?" takes one character.
    const Lookup selections[] = {
        {L"data", {1, 2, 5}},        {L"data/", {1, 2, 5}},  {L"DAT", {}},       {L"地图", {3}},
        {L"*.bin", {1, 4, 5, 6, 7}}, {L"DATA/*/X.TXT", {2}}, {L"?OOT.BIN", {4}}, {L"*", {1, 2, 3, 4, 5, 6, 7}},
        {L"ROOT.BIN*", {4}},         {L"*.TX", {}},
    };

    const ArchiveCheck check = CheckArchive(dir / "a.pak");
    ASSERT_TRUE(check);
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, dir / "a.pak", check.header, progress);
    const ArchiveIndex index = ReadArchiveIndex(dir / "a.pak", check.header);
    const auto expectFound = [&](std::span<const Lookup> table, NameMatching matching) {
        std::vector<std::wstring> names;
        for (const Lookup& lookup : table) {
            names.push_back(lookup.typed);
        }
        const auto inWorkspace = FindEntries(workspace, names, matching);
        const auto inIndex = FindEntries(index, names, matching);
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_EQ(inWorkspace[i], table[i].found) << Utf8FromWide(table[i].typed);
            EXPECT_EQ(inIndex[i], table[i].found) << Utf8FromWide(table[i].typed);
        }
    };
    expectFound(lookups, NameMatching::Exact);
    expectFound(lookups, NameMatching::FoldersAndPatterns); // names without wildcards find the same entries
    expectFound(selections, NameMatching::FoldersAndPatterns);
}

} // namespace
} // namespace quarrow
