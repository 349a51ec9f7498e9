#include "CentredPlacement.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

constexpr RECT kWorkArea{0, 0, 1280, 994};

TEST(CentredPosition, PutsTheFrameOverTheOwnersCentre) {
    const POINT at = CentredPosition(RECT{100, 50, 739, 567}, SIZE{491, 428}, kWorkArea);
    EXPECT_EQ(at.x, 100 + (639 - 491) / 2);
    EXPECT_EQ(at.y, 50 + (517 - 428) / 2);
}

TEST(CentredPosition, AFrameLargerThanItsOwnerOverhangsEvenly) {
    const POINT at = CentredPosition(RECT{400, 300, 500, 360}, SIZE{300, 260}, kWorkArea);
    EXPECT_EQ(at.x, 300);
    EXPECT_EQ(at.y, 200);
}

TEST(CentredPosition, StaysInsideTheWorkAreaWhenTheOwnerIsNearAnEdge) {
    // Owner hanging off the right and bottom edges.
    POINT at = CentredPosition(RECT{1000, 800, 1600, 1300}, SIZE{500, 400}, kWorkArea);
    EXPECT_EQ(at.x, 1280 - 500);
    EXPECT_EQ(at.y, 994 - 400);
    // Owner hanging off the left and top edges.
    at = CentredPosition(RECT{-500, -300, 200, 100}, SIZE{500, 400}, kWorkArea);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
    // A work area that does not start at the origin, as on a second monitor or below a top task bar.
    at = CentredPosition(RECT{1300, 20, 1500, 120}, SIZE{400, 300}, RECT{1280, 40, 2560, 1024});
    EXPECT_EQ(at.x, 1280);
    EXPECT_EQ(at.y, 40);
}

TEST(CentredPosition, AFrameLargerThanTheWorkAreaKeepsItsCaptionOnTheScreen) {
    const POINT at = CentredPosition(RECT{0, 0, 1280, 994}, SIZE{1500, 1100}, kWorkArea);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
}

} // namespace
} // namespace quarrow::app
