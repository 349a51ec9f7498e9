// The entry list's context menu: which items a list and its selection allow.

#include "ListMenu.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quarrow::app {
namespace {

struct RuleCase {
    const char* situation;
    ListSelection selection;
    // Extract selected, Replace, Add files, Add folder, Delete, Save as: 1 where enabled.
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
                         ::testing::Values(RuleCase{"an empty list", {0, 0, 0}, "001100"},
                                           RuleCase{"rows, none selected", {5, 0, 0}, "001101"},
                                           RuleCase{"one archive row selected", {5, 1, 1}, "111111"},
                                           RuleCase{"one file from disk selected", {5, 1, 0}, "011111"},
                                           RuleCase{"two archive rows selected", {5, 2, 2}, "101111"},
                                           RuleCase{"an archive row and a file selected", {5, 2, 1}, "101111"},
                                           RuleCase{"every row selected, none in the archive", {3, 3, 0}, "001111"}));

TEST(ListMenu, EveryCommandHasOneItemAndNoneIsZero) {
    std::string seen(7, '0');
    for (const ListMenuItem& item : ListMenuItems()) {
        const auto number = static_cast<std::size_t>(item.command);
        ASSERT_GT(number, 0u) << "0 is the menu's answer when nothing was chosen";
        ASSERT_LT(number, seen.size());
        EXPECT_EQ(seen[number], '0') << "command " << number << " listed twice";
        seen[number] = '1';
    }
    EXPECT_EQ(seen, "0111111");
}

} // namespace
} // namespace quarrow::app
