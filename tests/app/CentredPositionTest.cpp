#include "CentredPosition.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

// One axis: the owner's span, the frame's length, the work area's span, and where the frame starts.
struct Placement {
    const char* name;
    long first;
    long last;
    long length;
    long low;
    long high;
    long start;
};

class CentredStartTest : public ::testing::TestWithParam<Placement> {};

TEST_P(CentredStartTest, CentresOnTheOwnerWithinTheWorkArea) {
    const Placement& p = GetParam();
    EXPECT_EQ(CentredStart(p.first, p.last, p.length, p.low, p.high), p.start);
}

INSTANTIATE_TEST_SUITE_P(Frames, CentredStartTest,
                         ::testing::Values(Placement{"OverTheOwnersCentre", 100, 739, 491, 0, 1280, 100 + 74},
                                           Placement{"LargerThanItsOwnerOverhangsEvenly", 400, 500, 300, 0, 1280, 300},
                                           Placement{"OwnerOffTheFarEdge", 1000, 1600, 500, 0, 1280, 1280 - 500},
                                           Placement{"OwnerOffTheNearEdge", -500, 200, 500, 0, 1280, 0},
                                           // As on a second monitor or below a top task bar.
                                           Placement{"WorkAreaAwayFromTheOrigin", 20, 120, 300, 40, 1024, 40},
                                           Placement{"LargerThanTheWorkAreaKeepsItsCaptionOnTheScreen", 0, 994, 1100, 0,
                                                     994, 0}),
                         [](const ::testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

} // namespace
} // namespace quarrow::app
