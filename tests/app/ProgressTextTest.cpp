#include "ProgressText.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

TEST(ProgressText, WholePercentRoundsTiesToEven) {
    std::vector<std::wstring> texts;
    for (int i = 1; i <= 8; ++i) {
        texts.push_back(WholePercentText(i, 8));
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"12%", L"25%", L"38%", L"50%", L"62%", L"75%", L"88%", L"100%"}));
    EXPECT_EQ(WholePercentText(1, 200), L"0%"); // 0.5 goes to the even 0
    EXPECT_EQ(WholePercentText(3, 200), L"2%"); // 1.5 goes to 2
    EXPECT_EQ(WholePercentText(2, 3), L"67%");
}

TEST(ProgressText, PrecisePercentKeepsFifteenSignificantDigits) {
    EXPECT_EQ(PrecisePercentText(1, 3), L"33.3333333333333%");
    EXPECT_EQ(PrecisePercentText(2, 3), L"66.6666666666667%");
    EXPECT_EQ(PrecisePercentText(3, 3), L"100%");
    EXPECT_EQ(PrecisePercentText(1, 4), L"25%");
    EXPECT_EQ(PrecisePercentText(1, 8), L"12.5%");
}

TEST(ProgressText, CountShowsDoneOverTotal) { EXPECT_EQ(CountText(7, 120), L"7 / 120"); }

} // namespace
} // namespace quarrow::app
