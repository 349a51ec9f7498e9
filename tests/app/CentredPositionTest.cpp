#include "CentredPosition.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

constexpr ScreenRect kWorkArea{0, 0, 1280, 994};

struct Placement {
    const char* name;
    ScreenRect owner;
    long width;
    long height;
    ScreenRect workArea;
    ScreenPoint at;
};

void PrintTo(const Placement& placement, std::ostream* os) { *os << placement.name; }

class CentredPositionTest : public ::testing::TestWithParam<Placement> {};

TEST_P(CentredPositionTest, CentresOnTheOwnerWithinTheWorkArea) {
    const Placement& p = GetParam();
    const ScreenPoint at = CentredPosition(p.owner, p.width, p.height, p.workArea);
    EXPECT_EQ(at.x, p.at.x);
    EXPECT_EQ(at.y, p.at.y);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CentredPositionTest,
    ::testing::Values(
        Placement{"OverTheOwnersCentre", {100, 50, 739, 567}, 491, 428, kWorkArea, {100 + 74, 50 + 44}},
        Placement{"LargerThanItsOwnerOverhangsEvenly", {400, 300, 500, 360}, 300, 260, kWorkArea, {300, 200}},
        Placement{"OwnerOffTheRightAndBottom", {1000, 800, 1600, 1300}, 500, 400, kWorkArea, {1280 - 500, 994 - 400}},
        Placement{"OwnerOffTheLeftAndTop", {-500, -300, 200, 100}, 500, 400, kWorkArea, {0, 0}},
        // As on a second monitor or below a top task bar.
        Placement{"WorkAreaAwayFromTheOrigin", {1300, 20, 1500, 120}, 400, 300, {1280, 40, 2560, 1024}, {1280, 40}},
        Placement{"LargerThanTheWorkAreaKeepsItsCaptionOnTheScreen", {0, 0, 1280, 994}, 1500, 1100, kWorkArea, {0, 0}}),
    [](const ::testing::TestParamInfo<Placement>& info) { return std::string(info.param.name); });

} // namespace
} // namespace quarrow::app
