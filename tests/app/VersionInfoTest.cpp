#include "VersionInfo.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

TEST(VersionInfo, ComesFromTheExecutablesOwnVersionResource) {
    const VersionInfo version = ReadVersionInfo();
    EXPECT_EQ(version.major, 1);
    EXPECT_EQ(version.minor, 1);
    EXPECT_EQ(version.revision, 0);
    EXPECT_EQ(version.Text(), L"1.1.0");
    EXPECT_NE(version.legalCopyright.find(L"Copyright"), std::wstring::npos);
}

} // namespace
} // namespace quarrow::app
