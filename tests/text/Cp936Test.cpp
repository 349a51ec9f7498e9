#include "Cp936.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

std::string Bytes(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

struct Vector {
    const char* name;
    const wchar_t* text;
    std::string bytes;
};

void PrintTo(const Vector& v, std::ostream* os) { *os << v.name; }

class Cp936Vectors : public ::testing::TestWithParam<Vector> {};

TEST_P(Cp936Vectors, EncodeAndDecodeAgreeOnBothSystems) {
    const Vector& v = GetParam();
    EXPECT_EQ(cp936::Encode(v.text), v.bytes);
    EXPECT_EQ(cp936::Decode(v.bytes), std::wstring(v.text));
    EXPECT_EQ(cp936::DecodeLossy(v.bytes), std::wstring(v.text));
}

INSTANTIATE_TEST_SUITE_P(
    Names, Cp936Vectors,
    ::testing::Values(
        Vector{"Empty", L"", ""}, Vector{"Ascii", L"DATA\\A.BMP", "DATA\\A.BMP"},
        Vector{"Chinese", L"三国群英传", Bytes({0xC8, 0xFD, 0xB9, 0xFA, 0xC8, 0xBA, 0xD3, 0xA2, 0xB4, 0xAB})},
        // 礬 ends in 0x5C, the separator's byte: paths must be split after decoding, never before.
        Vector{"TrailByteIsBackslash", L"礬\\A", Bytes({0xB5, 0x5C, 0x5C, 0x41})},
        Vector{"ChinesePath", L"地图\\城.MAP", Bytes({0xB5, 0xD8, 0xCD, 0xBC, 0x5C, 0xB3, 0xC7, '.', 'M', 'A', 'P'})},
        Vector{"Greek", L"αβγ", Bytes({0xA6, 0xC1, 0xA6, 0xC2, 0xA6, 0xC3})}),
    [](const ::testing::TestParamInfo<Vector>& info) { return std::string(info.param.name); });

TEST(Cp936, UnrepresentableTextIsAnErrorNotAReplacement) {
    EXPECT_FALSE(cp936::Encode(L"한국어").has_value());
    EXPECT_FALSE(cp936::Encode(L"A\u0E01B").has_value()); // Thai
}

TEST(Cp936, InvalidBytesDoNotDecodeExactly) {
    const std::string loneLead = Bytes({'A', 0x81});
    const std::string badTrail = Bytes({0x81, 0x7F, 'B'});
    EXPECT_FALSE(cp936::Decode(loneLead).has_value());
    EXPECT_FALSE(cp936::Decode(badTrail).has_value());
}

TEST(Cp936, LossyDecodingKeepsTheValidPartsAndMarksTheRest) {
    const std::string mixed = Bytes({'A', 0xC8, 0xFD, 0x81, 0x7F, 'B', 0x81});
    EXPECT_EQ(cp936::DecodeLossy(mixed), std::wstring(L"A三\uFFFD\u007FB\uFFFD"));
}

TEST(Cp936, TwentyChineseCharactersFillFortyBytes) {
    const std::wstring twenty = L"三国群英传三国群英传三国群英传三国群英传";
    ASSERT_EQ(twenty.size(), 20u);
    const auto bytes = cp936::Encode(twenty);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 40u);
}

} // namespace
} // namespace quarrow
