#include "FormatElapsed.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quarrow::app {
namespace {

struct ElapsedCase {
    std::uint32_t milliseconds;
    const wchar_t* text;
};

class FormatElapsedTest : public ::testing::TestWithParam<ElapsedCase> {};

TEST_P(FormatElapsedTest, WritesSecondsToTwoDecimalsAndWholeMinutesFromOneMinuteOn) {
    const ElapsedCase& c = GetParam();
    EXPECT_EQ(FormatElapsed(1000, 1000 + c.milliseconds), c.text) << c.milliseconds << " ms";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormatElapsedTest,
    ::testing::Values(ElapsedCase{1234, L"1.23 秒"}, ElapsedCase{59990, L"59.99 秒"},
                      ElapsedCase{60000, L"1 分钟 0 秒"}, ElapsedCase{119700, L"1 分钟 59.7 秒"},
                      ElapsedCase{125250, L"2 分钟 5.25 秒"}, ElapsedCase{0, L"0 秒"}, ElapsedCase{60, L"0.06 秒"},
                      ElapsedCase{3500, L"3.5 秒"}, ElapsedCase{12000, L"12 秒"},
                      // Halves go to the even hundredth; a tie just below a minute rounds up into it.
                      ElapsedCase{1235, L"1.24 秒"}, ElapsedCase{1245, L"1.24 秒"}, ElapsedCase{59994, L"59.99 秒"},
                      ElapsedCase{59995, L"1 分钟 0 秒"}, ElapsedCase{3600000, L"60 分钟 0 秒"}));

TEST(FormatElapsed, ACommandThatSpansTheTickCountersWrapIsStillTimedRight) {
    EXPECT_EQ(FormatElapsed(0xFFFFFF00u, 0x00000100u), L"0.51 秒");
}

} // namespace
} // namespace quarrow::app
