#include "AboutText.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

TEST(VersionLabel, JoinsMajorMinorAndRevisionAfterTheWordVersion) {
    EXPECT_EQ(VersionLabel(VersionInfo{2, 10, 37, L""}), L"版本 2.10.37");
}

} // namespace
} // namespace quarrow::app
