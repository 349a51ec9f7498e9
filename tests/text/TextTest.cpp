#include "Text.hpp"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "SystemErrorText.hpp"

#include <windows.h>

#include <ios>
#include <system_error>
#endif

namespace quarrow {
namespace {

TEST(Text, Utf8RoundTripsChineseAndAstralCharacters) {
    const std::wstring text = L"三国 A\u00E9\U0001F600";
    const std::string utf8 = Utf8FromWide(text);
    EXPECT_EQ(utf8, "\xE4\xB8\x89\xE5\x9B\xBD A\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(WideFromUtf8(utf8), text);
}

TEST(Text, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(WideFromUtf8("A\xFF"
                           "B"),
              std::wstring(L"A\uFFFDB"));
    EXPECT_EQ(WideFromUtf8("\xE4\xB8"), std::wstring(L"\uFFFD"));
    EXPECT_EQ(WideFromUtf8("\xC0\xAF"), std::wstring(L"\uFFFD")) << "overlong forms are not accepted";
}

TEST(Text, PathsKeepChineseNamesExactly) {
    const std::wstring name = L"目录\u00E9";
    EXPECT_EQ(WideFromPath(PathFromWide(name)), name);
    EXPECT_FALSE(HasEscapedBytes(name));
}

#ifndef _WIN32
TEST(Text, PathsKeepEveryByteOfNamesThatAreNoUtf8) {
    for (const std::string bytes : {"\xCA\xFD\xBE\xDD/a", "\xFF", "a\xC3", "\xE6\x95\xB0\xCA"}) {
        const std::wstring wide = WideFromPath(std::filesystem::path(bytes));
        EXPECT_TRUE(HasEscapedBytes(wide)) << bytes;
        EXPECT_EQ(PathFromWide(wide).native(), bytes);
    }
}
#endif

TEST(Text, UpperCaseIsTheSameOnEverySystem) {
    EXPECT_EQ(ToUpperInvariant(L"Maps\\Town.map"), L"MAPS\\TOWN.MAP");
    EXPECT_EQ(ToUpperInvariant(L"地图\u00E9\u03B1\u0430\u0451\uFF41"), L"地图\u00C9\u0391\u0410\u0401\uFF21");
    EXPECT_EQ(ToUpperInvariant(L"\u00F7\u00DF"), L"\u00F7\u00DF") << "division sign and sharp s stay";
}

#ifdef _WIN32
TEST(SystemErrorText, IsTheSystemsWholeTextWithoutItsLineBreak) {
    const std::wstring text = SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'\n');
    EXPECT_NE(text.back(), L'\r');
    EXPECT_EQ(SystemErrorText(0xFFFFFFF0u), L"") << "a code the system does not know";
}

TEST(SystemErrorText, TellsTheRuntimesErrorNumbersInTheSystemsWords) {
    // What the file layer and the standard library report by error number: a file or folder that is
    // missing or refused, a read-only or full disk, a broken read.
    for (const std::errc number :
         {std::errc::no_such_file_or_directory, std::errc::permission_denied, std::errc::read_only_file_system,
          std::errc::no_space_on_device, std::errc::io_error, std::errc::file_exists, std::errc::not_a_directory}) {
        const std::error_code error = std::make_error_code(number);
        const std::wstring text = SystemErrorText(error);
        EXPECT_FALSE(text.empty()) << error.message();
        EXPECT_NE(text, WideFromUtf8(error.message())) << "the runtime's own English";
    }
    EXPECT_EQ(SystemErrorText(std::error_code(ERROR_DISK_FULL, std::system_category())),
              SystemErrorText(ERROR_DISK_FULL));
    EXPECT_EQ(SystemErrorText(std::make_error_code(std::errc::address_in_use)), L"") << "no Win32 code of a file";
    EXPECT_EQ(SystemErrorText(std::make_error_code(std::io_errc::stream)), L"") << "neither a system nor a C number";
}
#endif

} // namespace
} // namespace quarrow
