#include "ArchiveName.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(WithPakExtension, AppendsOnlyWhenPakOccursNowhere) {
    EXPECT_EQ(WithPakExtension(L"NEW"), L"NEW.PAK");
    EXPECT_EQ(WithPakExtension(L"C:\\GAME\\data"), L"C:\\GAME\\data.PAK");
    EXPECT_EQ(WithPakExtension(L"DATA.PAK"), L"DATA.PAK");
    EXPECT_EQ(WithPakExtension(L"data.pak"), L"data.pak");
    EXPECT_EQ(WithPakExtension(L"DATA.PAK.OLD"), L"DATA.PAK.OLD");
    EXPECT_EQ(WithPakExtension(L"C:\\X.PAKS\\NEW"), L"C:\\X.PAKS\\NEW");
    EXPECT_EQ(WithPakExtension(L""), L"");
}

} // namespace
} // namespace quarrow
