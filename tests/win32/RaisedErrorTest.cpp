#include "RaisedError.hpp"
#include "Twips.hpp"

#include <gtest/gtest.h>

#include <windows.h>

namespace quarrow::win32 {
namespace {

TEST(RaisedError, SourceIsTheExecutableNameAndTheClassSuffix) {
    EXPECT_EQ(ExecutableName(), L"win32_tests");
    const RaisedError error(20001, ErrorSource(L".cCommonDialog"), L"User selected cancel.");
    EXPECT_EQ(error.Number(), 20001);
    EXPECT_EQ(error.Source(), L"win32_tests.cCommonDialog");
    EXPECT_EQ(error.Description(), L"User selected cancel.");
    EXPECT_NE(std::string(error.what()).find("20001"), std::string::npos);
}

TEST(Twips, FifteenTwipsMakeAPixelAtNinetySixDotsPerInch) {
    EXPECT_EQ(TwipsToPixelsX(9495), 633);
    EXPECT_EQ(TwipsToPixelsY(7320), 488);
    EXPECT_EQ(TwipsToPixelsY(375), 25);
}

} // namespace
} // namespace quarrow::win32
