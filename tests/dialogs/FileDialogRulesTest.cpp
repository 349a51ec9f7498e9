// The texts and flag words that cross between the file dialog's properties and the system.

#include "FileDialogFlags.hpp"
#include "FileDialogText.hpp"
#include "MultiFileName.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::dialogs {
namespace {

using namespace std::string_literals;

TEST(SystemFilterList, BarsAndColonsEndTheParts) {
    EXPECT_EQ(SystemFilterList(L"三国群英传II PAK档案(*.PAK)|*.PAK"), L"三国群英传II PAK档案(*.PAK)\0*.PAK\0\0"s);
    EXPECT_EQ(SystemFilterList(L"Text:*.txt"), L"Text\0*.txt\0\0"s);
    EXPECT_EQ(SystemFilterList(L"A|*.a|B|*.b"), L"A\0*.a\0B\0*.b\0\0"s);
    EXPECT_EQ(SystemFilterList(L""), L"\0\0"s);
}

TEST(ChosenFilterEntry, CountsPairsFromOne) {
    const std::wstring list = SystemFilterList(L"A|*.a|B|*.b;*.bb");
    EXPECT_EQ(ChosenFilterEntry(list, 1), L"A\0*.a"s);
    EXPECT_EQ(ChosenFilterEntry(list, 2), L"B\0*.b;*.bb"s);
    EXPECT_EQ(ChosenFilterEntry(list, 3), L"");
    EXPECT_EQ(ChosenFilterEntry(list, 0), L"");
    EXPECT_EQ(ChosenFilterEntry(list, -1), L"");
    // A description without its pattern is no pair.
    EXPECT_EQ(ChosenFilterEntry(SystemFilterList(L"A|*.a|B"), 2), L"");
    EXPECT_EQ(ChosenFilterEntry(SystemFilterList(L"Text:*.txt"), 1), L"Text\0*.txt"s);
}

TEST(BufferTexts, StopAtTheirTerminators) {
    EXPECT_EQ(TextUpToNul(L"C:\\a.pak\0\0\0junk"s), L"C:\\a.pak");
    EXPECT_EQ(TextUpToNul(L"no terminator"), L"no terminator");
    EXPECT_EQ(SelectionUpToDoubleNul(L"C:\\x\0a\0b\0\0\0\0\0"s), L"C:\\x\0a\0b\0\0"s);
    EXPECT_EQ(SelectionUpToDoubleNul(L"C:\\x\\a.pak\0\0\0"s), L"C:\\x\\a.pak\0\0"s);
    EXPECT_EQ(SelectionUpToDoubleNul(L"full buffer"), L"full buffer");
}

struct ParsedNames {
    std::wstring dir;
    std::vector<std::wstring> files;
    int count = 0;
};

ParsedNames Parse(const std::wstring& filename, std::wstring dir = {}, int count = 0) {
    ParsedNames parsed{std::move(dir), {}, count};
    ParseMultiFileName(filename, parsed.dir, parsed.files, parsed.count);
    return parsed;
}

TEST(ParseMultiFileName, APlainPathSplitsAtItsLastBackslash) {
    const auto parsed = Parse(L"C:\\x\\a.pak");
    EXPECT_EQ(parsed.dir, L"C:\\x");
    EXPECT_EQ(parsed.files, std::vector<std::wstring>{L"a.pak"});
    EXPECT_EQ(parsed.count, 1);

    const auto rootOnly = Parse(L"\\a.pak");
    EXPECT_EQ(rootOnly.dir, L"");
    EXPECT_EQ(rootOnly.files, std::vector<std::wstring>{L"\\a.pak"});

    const auto bare = Parse(L"a.pak", L"stale", 7);
    EXPECT_EQ(bare.dir, L"");
    EXPECT_EQ(bare.files, std::vector<std::wstring>{L"a.pak"});
    EXPECT_EQ(bare.count, 1);
}

TEST(ParseMultiFileName, AListGivesTheFolderAndEveryName) {
    const auto parsed = Parse(L"C:\\x\0a\0b\0\0"s);
    EXPECT_EQ(parsed.dir, L"C:\\x");
    EXPECT_EQ(parsed.files, (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(parsed.count, 2);

    const auto chinese = Parse(L"C:\\游戏\0三国一.pak\0三国二.pak\0\0\0\0\0"s);
    EXPECT_EQ(chinese.dir, L"C:\\游戏");
    EXPECT_EQ(chinese.files, (std::vector<std::wstring>{L"三国一.pak", L"三国二.pak"}));

    // A drive root keeps its separator, as the system gives it.
    EXPECT_EQ(Parse(L"C:\\\0a\0\0"s).dir, L"C:\\");
}

TEST(ParseMultiFileName, OneFileInAMultipleSelectionIsAFullPath) {
    const auto parsed = Parse(L"C:\\x\\a.pak\0\0\0\0"s);
    EXPECT_EQ(parsed.dir, L"");
    EXPECT_EQ(parsed.files, std::vector<std::wstring>{L"C:\\x\\a.pak"});
    EXPECT_EQ(parsed.count, 1);
}

TEST(ParseMultiFileName, AFolderPassedInMakesTheFirstPieceAName) {
    const auto parsed = Parse(L"C:\\x\0a\0\0"s, L"D:\\given", 0);
    EXPECT_EQ(parsed.dir, L"D:\\given");
    EXPECT_EQ(parsed.files, (std::vector<std::wstring>{L"C:\\x", L"a"}));
    EXPECT_EQ(parsed.count, 2);
}

TEST(FileDialogFlags, OnlyTheListedBitsReachTheSystem) {
    // Open PAK: file must exist and path must exist; the latter is not one of the bits read.
    EXPECT_EQ(OpenDialogFlagWord(ReadOpenDialogChoices(6144)), static_cast<DWORD>(OFN_FILEMUSTEXIST));
    // Add files: multiple selection brings the Explorer style.
    EXPECT_EQ(OpenDialogFlagWord(ReadOpenDialogChoices(6656)), 0x1000u | 0x200u | 0x80000u);
    EXPECT_EQ(OpenDialogFlagWord(ReadOpenDialogChoices(0x1 | 0x4 | 0x8 | 0x10)), 0x1u | 0x4u);
    // Pack: the overwrite prompt, with the read-only box hidden.
    EXPECT_TRUE(ReadOverwritePrompt(6146));
    EXPECT_EQ(SaveDialogFlagWord(ReadOverwritePrompt(6146)), 0x2u | 0x4u);
    EXPECT_EQ(SaveDialogFlagWord(ReadOverwritePrompt(6144)), 0x4u);
    EXPECT_EQ(WithHookAndTemplate(0x1000, true, false), 0x1000u | 0x80020u);
    EXPECT_EQ(WithHookAndTemplate(0x4, false, true), 0x4u | 0x40u);
    EXPECT_TRUE(AsksForTemplate(0x40));
    EXPECT_FALSE(AsksForTemplate(6656));
}

} // namespace
} // namespace quarrow::dialogs
