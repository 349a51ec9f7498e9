#include "PropertyBag.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

TEST(PropertyBag, ValuesEqualToTheirDefaultAreNotWritten) {
    PropertyBag bag;
    bag.Write(L"State", std::int32_t{0}, std::int32_t{0});
    bag.Write(L"Caption", std::wstring(L"打开"), std::wstring());
    bag.Write(L"IsDropDown", false, false);
    EXPECT_FALSE(bag.Contains(L"State"));
    EXPECT_FALSE(bag.Contains(L"IsDropDown"));
    EXPECT_EQ(bag.Keys(), std::vector<std::wstring>{L"Caption"});
}

TEST(PropertyBag, MissingKeysAndMismatchedTypesReadAsTheDefault) {
    PropertyBag bag;
    bag.Write(L"Max", std::int32_t{7}, std::int32_t{100});
    EXPECT_EQ(bag.Read(L"Max", std::int32_t{100}), 7);
    EXPECT_EQ(bag.Read(L"Min", std::int32_t{0}), 0);
    EXPECT_EQ(bag.Read(L"Max", std::wstring(L"none")), L"none");
}

TEST(PropertyBag, RewritingTheDefaultRemovesTheKeyAndOrderIsKept) {
    PropertyBag bag;
    bag.Write(L"B", std::uint32_t{0x8000000F}, std::uint32_t{0});
    bag.Write(L"A", true, false);
    bag.Write(L"B", std::uint32_t{0}, std::uint32_t{0});
    bag.Write(L"C", 2.5, 0.0);
    bag.Write(L"A", true, false);
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"A", L"C"}));
    EXPECT_EQ(bag.Read(L"B", std::uint32_t{0}), 0u);
}

TEST(PropertyBag, FontsAndPicturesCompareByValueAndHandle) {
    PropertyBag bag;
    win32::FontSpec font;
    font.name = L"黑体";
    bag.WriteAlways(L"Font", win32::FontSpec{});
    EXPECT_TRUE(bag.Contains(L"Font")) << "a font is saved even when it is the default";
    bag.WriteAlways(L"Font", font);
    EXPECT_EQ(bag.Read(L"Font", win32::FontSpec{}).name, L"黑体");

    bag.Write(L"Picture", Picture{}, Picture{});
    EXPECT_FALSE(bag.Contains(L"Picture"));
    const Picture bitmap = Picture::FromBitmap(win32::UniqueBitmap(CreateBitmap(4, 4, 1, 32, nullptr)));
    ASSERT_TRUE(bitmap);
    bag.Write(L"Picture", bitmap, Picture{});
    EXPECT_EQ(bag.Read(L"Picture", Picture{}), bitmap);
}

} // namespace
} // namespace quarrow::controls
