#include "ExtractPath.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(CheckStoredName, AcceptsOrdinaryNames) {
    // Empty levels are left out: a rooted, doubled or network name lands inside the destination too.
    for (const wchar_t* name :
         {L"A.BMP", L"DATA\\IMG\\A.BMP", L"地图\\城.MAP", L".hidden", L"a..b", L"CONFIG.SYS", L"COM10", L"LPT0.TXT",
          L"NULL", L"x.quarrow-tmp-short", L"\\ROOT.BIN", L"DATA\\\\X.BIN", L"\\\\SERVER\\SHARE\\Y.BIN"}) {
        EXPECT_FALSE(CheckStoredName(name).has_value()) << testing::PrintToString(std::wstring(name));
    }
}

struct Unsafe {
    const wchar_t* name;
    NameProblem problem;
};

void PrintTo(const Unsafe& unsafe, std::ostream* os) { *os << ::testing::PrintToString(std::wstring(unsafe.name)); }

class CheckStoredNameRefuses : public ::testing::TestWithParam<Unsafe> {};

TEST_P(CheckStoredNameRefuses, NamesThatCouldLeaveTheFolderOrCannotBeCreated) {
    const auto problem = CheckStoredName(GetParam().name);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(*problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CheckStoredNameRefuses,
    ::testing::Values(
        Unsafe{L"", NameProblem::Empty}, Unsafe{L"..\\EVIL.BIN", NameProblem::ParentReference},
        Unsafe{L"DATA\\..\\..\\EVIL.BIN", NameProblem::ParentReference},
        Unsafe{L"\\..\\EVIL.BIN", NameProblem::ParentReference},
        Unsafe{L"\\\\..\\\\EVIL.BIN", NameProblem::ParentReference}, Unsafe{L"DATA\\", NameProblem::EmptyFileName},
        Unsafe{L"\\", NameProblem::EmptyFileName}, Unsafe{L"\\\\", NameProblem::EmptyFileName},
        Unsafe{L"\\\\C:\\X.DLL", NameProblem::InvalidCharacter},
        Unsafe{L"C:\\WINDOWS\\X.DLL", NameProblem::InvalidCharacter}, Unsafe{L"C:X.DLL", NameProblem::InvalidCharacter},
        Unsafe{L"../EVIL.BIN", NameProblem::InvalidCharacter}, Unsafe{L"/etc/passwd", NameProblem::InvalidCharacter},
        Unsafe{L"A?.BIN", NameProblem::InvalidCharacter}, Unsafe{L"A\tB", NameProblem::InvalidCharacter},
        Unsafe{L"CON", NameProblem::DeviceName}, Unsafe{L"DATA\\nul.txt", NameProblem::DeviceName},
        Unsafe{L"Com1.bmp", NameProblem::DeviceName}, Unsafe{L"LPT9", NameProblem::DeviceName},
        Unsafe{L"AUX .TXT", NameProblem::DeviceName}, Unsafe{L"PRN\\A", NameProblem::DeviceName},
        Unsafe{L"DATA.\\A", NameProblem::TrailingDotOrSpace}, Unsafe{L"A.BIN ", NameProblem::TrailingDotOrSpace},
        Unsafe{L".", NameProblem::TrailingDotOrSpace},
        Unsafe{L"X.PAK.quarrow-tmp-0123456789abcdef", NameProblem::ReservedName}));

TEST(TargetFor, JoinsDestinationDirectoryPartAndFileName) {
    using std::filesystem::path;
#ifdef _WIN32
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"DATA\\IMG\\A.BMP").folder, path(L"D:\\OUT\\DATA\\IMG"));
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"DATA\\IMG\\A.BMP").file, path(L"D:\\OUT\\DATA\\IMG\\A.BMP"));
    EXPECT_EQ(TargetFor(L"D:\\", L"A.BMP").folder, path(L"D:\\"));
    EXPECT_EQ(TargetFor(L"D:\\", L"A.BMP").file, path(L"D:\\A.BMP"));
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"A.BMP").folder, path(L"D:\\OUT\\"));
    EXPECT_EQ(TargetFor(L"\\\\SERVER\\SHARE", L"A\\B.BMP").file, path(L"\\\\SERVER\\SHARE\\A\\B.BMP"));
    // A bare drive or no folder at all stays relative: nothing may land at a root that nobody chose.
    EXPECT_EQ(TargetFor(L"D:", L"A\\B.BMP").file, path(L"D:A\\B.BMP"));
    EXPECT_EQ(TargetFor(L"", L"A\\B.BMP").file, path(L"A\\B.BMP"));
    EXPECT_EQ(TargetFor(L"", L"B.BMP").file, path(L"B.BMP"));
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"\\ROOT.BIN").file, path(L"D:\\OUT\\ROOT.BIN"));
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"DATA\\\\X.BIN").file, path(L"D:\\OUT\\DATA\\X.BIN"));
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"\\\\SERVER\\SHARE\\Y.BIN").folder, path(L"D:\\OUT\\SERVER\\SHARE"));
    EXPECT_EQ(TargetFor(L"", L"\\\\SERVER\\SHARE\\Y.BIN").file, path(L"SERVER\\SHARE\\Y.BIN")) << "not a network path";
    // Even a name that extraction refuses never leads the target away from the destination.
    EXPECT_EQ(TargetFor(L"D:\\OUT", L"C:\\WINDOWS\\X.DLL").file, path(L"D:\\OUT\\C:\\WINDOWS\\X.DLL"));
#else
    EXPECT_EQ(TargetFor("/out", L"DATA\\IMG\\A.BMP").folder, path("/out/DATA/IMG"));
    EXPECT_EQ(TargetFor("/out", L"DATA\\IMG\\A.BMP").file, path("/out/DATA/IMG/A.BMP"));
    EXPECT_EQ(TargetFor("/", L"A.BMP").file, path("/A.BMP"));
    EXPECT_EQ(TargetFor("/out", L"A.BMP").folder, path("/out/"));
    // No folder at all stays relative: nothing may land at the root, which nobody chose.
    EXPECT_EQ(TargetFor("", L"A\\B.BMP").file, path("A/B.BMP"));
    EXPECT_EQ(TargetFor("", L"B.BMP").file, path("B.BMP"));
    EXPECT_EQ(TargetFor("/out", L"\\ROOT.BIN").file, path("/out/ROOT.BIN"));
    EXPECT_EQ(TargetFor("/out", L"DATA\\\\X.BIN").file, path("/out/DATA/X.BIN"));
    EXPECT_EQ(TargetFor("/out", L"\\\\SERVER\\SHARE\\Y.BIN").folder, path("/out/SERVER/SHARE"));
    EXPECT_EQ(TargetFor("", L"\\A\\B.BMP").file, path("A/B.BMP")) << "not rooted";
    // Even a name that extraction refuses never leads the target away from the destination, and a
    // destination that is no UTF-8 keeps its bytes.
    EXPECT_EQ(TargetFor("/out", L"/etc/passwd").file.native(), "/out//etc/passwd");
    EXPECT_EQ(TargetFor("/\xCA\xFD", L"A\\\u56FE.BMP").file.native(), "/\xCA\xFD/A/\xE5\x9B\xBE.BMP");
#endif
}

} // namespace
} // namespace quarrow
