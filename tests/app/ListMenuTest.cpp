// The entry list's context menu: which items a list and its selection allow; and Find, which selects
// the rows whose stored names match a pattern.

#include "EntryFinder.hpp"
#include "ListMenu.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quarrow::app {
namespace {

struct RuleCase {
    const char* situation;
    ListSelection selection;
    // Open, Find, Extract selected, Replace, Add files, Add folder, Delete, Save as: 1 where enabled.
    const char* enabled;
};

class ListMenuRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ListMenuRules, EachItemFollowsTheListAndItsSelection) {
    const RuleCase& c = GetParam();
    std::string enabled;
    for (const ListMenuItem& item : ListMenuItems()) {
        enabled += ListMenuItemEnabled(item.command, c.selection) ? '1' : '0';
    }
    EXPECT_EQ(enabled, c.enabled) << c.situation;
}

INSTANTIATE_TEST_SUITE_P(Table, ListMenuRules,
                         ::testing::Values(RuleCase{"an empty list", {0, 0, 0}, "00001100"},
                                           RuleCase{"rows, none selected", {5, 0, 0}, "01001101"},
                                           RuleCase{"one archive row selected", {5, 1, 1}, "11111111"},
                                           RuleCase{"one file from disk selected", {5, 1, 0}, "11011111"},
                                           RuleCase{"two archive rows selected", {5, 2, 2}, "01101111"},
                                           RuleCase{"an archive row and a file selected", {5, 2, 1}, "01101111"},
                                           RuleCase{"every row selected, none in the archive", {3, 3, 0}, "01001111"}));

TEST(ListMenu, EveryCommandHasOneItemAndNoneIsZero) {
    std::string seen(9, '0');
    for (const ListMenuItem& item : ListMenuItems()) {
        const auto number = static_cast<std::size_t>(item.command);
        ASSERT_GT(number, 0u) << "0 is the menu's answer when nothing was chosen";
        ASSERT_LT(number, seen.size());
        EXPECT_EQ(seen[number], '0') << "command " << number << " listed twice";
        seen[number] = '1';
    }
    EXPECT_EQ(seen, "011111111");
}

Workspace FindableList() {
    Workspace list;
    for (const wchar_t* name :
         {L"DATA\\A.TXT", L"data\\img\\B.bmp", L"C.TXT", L"\\DATA\\D.BIN", L"DATA\\AB.TXT", L"图\\龙.BMP"}) {
        list.AddArchiveEntry(name, 1, 16);
    }
    return list;
}

struct FindCase {
    const wchar_t* pattern;
    std::vector<std::size_t> rows;
};

class FindRows : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindRows, SelectsTheRowsWhoseWholeStoredNameMatches) {
    const FindCase& c = GetParam();
    const Workspace list = FindableList();
    EXPECT_EQ(EntryFinder(c.pattern).MatchingRows(list), c.rows);
}

INSTANTIATE_TEST_SUITE_P(Table, FindRows,
                         ::testing::Values(FindCase{L"*.txt", {1, 3, 5}}, // "*" crosses folders, case does not count
                                           FindCase{L"data/*", {1, 2, 4, 5}}, // "/" is "\", a leading "\" is no level
                                           FindCase{L"DATA\\?.TXT", {1}},     // "?" is one character, not two
                                           FindCase{L"c.txt", {3}},           // no wildcard: the whole name, not a part
                                           FindCase{L"TXT", {}},              // nor its end
                                           FindCase{L"DATA", {}},             // nor a folder of that name
                                           FindCase{L"*\\b.BMP", {2}},        // lower-case stored names too
                                           FindCase{L"图/*", {6}},            // Chinese levels
                                           FindCase{L"*.PAK", {}},            // nothing
                                           FindCase{L"*", {1, 2, 3, 4, 5, 6}}));

TEST(FindRows, NextMatchGoesOnAfterARowAndWrapsToTheTop) {
    const Workspace list = FindableList();
    const EntryFinder text(L"*.TXT"); // rows 1, 3, 5
    EXPECT_EQ(text.NextMatch(list, 0), 1u);
    EXPECT_EQ(text.NextMatch(list, 1), 3u);
    EXPECT_EQ(text.NextMatch(list, 4), 5u);
    EXPECT_EQ(text.NextMatch(list, 5), 1u) << "past the last match, round to the first";
    EXPECT_EQ(text.NextMatch(list, 6), 1u);
    const EntryFinder one(L"C.TXT");
    EXPECT_EQ(one.NextMatch(list, 3), 3u) << "the only match is found again";
    EXPECT_EQ(EntryFinder(L"*.PAK").NextMatch(list, 2), std::nullopt);
    EXPECT_EQ(text.NextMatch(Workspace{}, 0), std::nullopt);
}

} // namespace
} // namespace quarrow::app
