// The progress line's measure: Chinese takes two columns, so that a long name neither wraps nor leaves
// half of a character at a cut.
#include "TerminalColumns.hpp"

#include <gtest/gtest.h>

namespace quarrow::cli {
namespace {

struct Fitted {
    const wchar_t* text;
    std::size_t columns;
    const wchar_t* fitted;
};

class FitColumnsTest : public ::testing::TestWithParam<Fitted> {};

TEST_P(FitColumnsTest, GivesExactlyTheColumnsAsked) {
    const std::wstring fitted = FitColumns(GetParam().text, GetParam().columns);
    EXPECT_EQ(fitted, GetParam().fitted);
    EXPECT_EQ(DisplayColumns(fitted), GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FitColumnsTest,
    ::testing::Values(Fitted{L"abc", 5, L"abc  "}, Fitted{L"三国", 5, L"三国 "},
                      Fitted{L"0123456789", 10, L"0123456789"}, Fitted{L"0123456789", 9, L"012...789"},
                      // The cut falls inside 国 at the front and inside 英 at the back: both stay out.
                      Fitted{L"三国群英传三国群英传", 10, L"三...英传 "},
                      // Beyond the basic plane: two columns, and a surrogate pair on Windows that no cut splits.
                      Fitted{L"\U00020000\U00020001\U00020002\U00020003\U00020004", 8, L"\U00020000...\U00020004 "},
                      Fitted{L"abcdef", 2, L"  "}));

TEST(DisplayColumns, CountsWideAndFullWidthCharactersTwice) {
    EXPECT_EQ(DisplayColumns(L""), 0u);
    EXPECT_EQ(DisplayColumns(L"Reading index 7/120"), 19u);
    EXPECT_EQ(DisplayColumns(L"三国群英传II"), 12u);
    EXPECT_EQ(DisplayColumns(L"ＰＡＫ、。"), 10u) << "full-width letters and CJK punctuation";
    EXPECT_EQ(DisplayColumns(L"한글 かな"), 9u);
    EXPECT_EQ(DisplayColumns(L"\u00E9\u0430\u2500"), 3u) << "Latin, Cyrillic and box drawing stay narrow";
}

} // namespace
} // namespace quarrow::cli
