#include "VersionInfo.hpp"

#include "BuildVersion.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

TEST(VersionInfo, ComesFromTheExecutablesOwnVersionResource) {
    const VersionInfo version = ReadVersionInfo();
    EXPECT_EQ(version.Text(), quarrow::testing::kBuildVersionWide);
    EXPECT_NE(version.legalCopyright.find(L"Copyright"), std::wstring::npos);
}

} // namespace
} // namespace quarrow::app
