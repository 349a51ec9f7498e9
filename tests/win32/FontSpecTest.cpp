#include "FontSpec.hpp"
#include "Twips.hpp"

#include <gtest/gtest.h>

namespace quarrow::win32 {
namespace {

TEST(FontSpec, CreatesTheDescribedFontAndReadsItBack) {
    FontSpec tahoma;
    tahoma.name = L"Tahoma";
    tahoma.points = 9;
    tahoma.bold = true;
    const UniqueFont font = tahoma.Create();
    ASSERT_TRUE(font);
    LOGFONTW created{};
    ASSERT_TRUE(GetObjectW(font.Get(), sizeof created, &created));
    EXPECT_EQ(created.lfHeight, -12) << "9 points are 12 pixels at 96 dots per inch";
    const FontSpec back = FontSpec::FromLogFont(created, ScreenDotsPerInchY());
    EXPECT_EQ(back, tahoma);
}

} // namespace
} // namespace quarrow::win32
