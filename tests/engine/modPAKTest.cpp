#include "modPAK.hpp"

#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;

TEST(modPAK, GetPathHeadIsTheTextBeforeTheLastBackslash) {
    EXPECT_EQ(GetPathHead(L"A\\B\\C.BMP"), L"A\\B");
    EXPECT_EQ(GetPathHead(L"C.BMP"), L"");
    EXPECT_EQ(GetPathHead(L"\\C.BMP"), L"");
    EXPECT_EQ(GetPathHead(L"A\\"), L"A");
    EXPECT_EQ(GetPathHead(L"礬\\A"), L"礬");
}

TEST(modPAK, GetPathTailIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(GetPathTail(L"A\\B\\C.BMP"), L"C.BMP");
    EXPECT_EQ(GetPathTail(L"C.BMP"), L"C.BMP");
    EXPECT_EQ(GetPathTail(L"A\\"), L"");
    EXPECT_EQ(GetPathTail(L"\\C.BMP"), L"C.BMP");
}

TEST(modPAK, CutTokenTakesUpToAndIncludingTheSeparator) {
    std::wstring text = L"D:\\OUT\\DATA\\";
    EXPECT_EQ(CutToken(text, L'\\'), L"D:\\");
    EXPECT_EQ(text, L"OUT\\DATA\\");
    EXPECT_EQ(CutToken(text, L'\\'), L"OUT\\");
    EXPECT_EQ(CutToken(text, L'\\'), L"DATA\\");
    EXPECT_EQ(text, L"");
    std::wstring noSeparator = L"ABC";
    EXPECT_EQ(CutToken(noSeparator, L'\\'), L"ABC");
    EXPECT_EQ(noSeparator, L"");
}

TEST(modPAK, LongToHexGivesUpperCaseTextWithAnEvenNumberOfDigits) {
    EXPECT_EQ(LongToHex(0), L"00");
    EXPECT_EQ(LongToHex(5), L"05");
    EXPECT_EQ(LongToHex(24), L"18");
    EXPECT_EQ(LongToHex(49), L"31");
    EXPECT_EQ(LongToHex(255), L"FF");
    EXPECT_EQ(LongToHex(256), L"0100");
    EXPECT_EQ(LongToHex(4096), L"1000");
    EXPECT_EQ(LongToHex(74565), L"012345");
    EXPECT_EQ(LongToHex(2147483647), L"7FFFFFFF");
}

#ifdef _WIN32
constexpr wchar_t kSep = L'\\';
#else
constexpr wchar_t kSep = L'/';
#endif

TEST(modPAK, CreateFolderTreeCreatesEveryLevelAndCountsThem) {
    TempDir dir;
    const std::wstring base = WideFromPath(dir.Path());
    const std::wstring target = base + kSep + L"OUT" + kSep + L"数据" + kSep + L"图";
    const std::int32_t levels = CreateFolderTree(PathFromWide(target));
    EXPECT_TRUE(std::filesystem::is_directory(PathFromWide(target)));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "OUT"));

    // Running it again on the existing tree completes silently and counts the same levels.
    EXPECT_EQ(CreateFolderTree(PathFromWide(target + kSep)), levels);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::recursive_directory_iterator(dir.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 3u);
}

TEST(modPAK, CreateFolderTreeCountsLevelsBelowTheDriveOrRoot) {
    TempDir dir;
    std::filesystem::current_path(dir.Path());
    EXPECT_EQ(CreateFolderTree(PathFromWide(std::wstring(L"A") + kSep + L"B" + kSep + L"C")), 3);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "A" / "B" / "C"));
#ifdef _WIN32
    const std::wstring drive = WideFromPath(dir.Path()).substr(0, 3); // such as "Z:\"
    const std::wstring below = WideFromPath(dir.Path()).substr(3);
    const std::size_t depth = std::count(below.begin(), below.end(), L'\\') + 1;
    EXPECT_EQ(CreateFolderTree(PathFromWide(drive + below + L"\\D")), static_cast<std::int32_t>(depth + 1));
#else
    const std::wstring absolute = WideFromPath(dir.Path());
    const std::size_t depth = std::count(absolute.begin(), absolute.end(), L'/');
    EXPECT_EQ(CreateFolderTree(PathFromWide(absolute + L"/D")), static_cast<std::int32_t>(depth + 1));
#endif
    EXPECT_TRUE(std::filesystem::is_directory(dir / "D"));
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

} // namespace
} // namespace quarrow
