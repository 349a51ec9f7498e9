#include "AboutText.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

TEST(VersionLabel, JoinsMajorMinorAndRevisionAfterTheWordVersion) {
    EXPECT_EQ(VersionLabel(VersionInfo{1, 1, 0, L""}), L"版本 1.1.0");
    EXPECT_EQ(VersionLabel(VersionInfo{2, 10, 37, L""}), L"版本 2.10.37");
}

TEST(LegalNotice, IsTheHeadingAndTwoIndentedBodyLinesAfterEmptyLines) {
    EXPECT_EQ(LegalNotice(), L"郑重声明：\r\n\r\n        \r\n\r\n        ");
}

TEST(Credits, NameTheRolesAndSomeoneForEach) {
    EXPECT_EQ(kProgrammingCredit.role, L"编程");
    EXPECT_EQ(kTestingCredit.role, L"内部测试");
    EXPECT_FALSE(kProgrammingCredit.name.empty());
    EXPECT_FALSE(kTestingCredit.name.empty());
}

} // namespace
} // namespace quarrow::app
