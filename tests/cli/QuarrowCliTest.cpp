// quarrow-cli as a user runs it: the built program, its output streams and its exit codes.
#include "BuildVersion.hpp"
#include "ExampleArchive.hpp"
#include "HandMadeArchive.hpp"
#include "LinkedTree.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgramRun;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

std::filesystem::path CliProgram() {
    std::string path = QUARROW_CLI_PATH;
#ifdef _WIN32
    // The build names it as the host sees it; under Wine the host's root is drive Z.
    if (path.starts_with('/')) {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
#endif
    return PathFromWide(WideFromUtf8(path));
}

std::string Utf8(const std::filesystem::path& path) { return Utf8FromWide(WideFromPath(path)); }

class QuarrowCli : public ::testing::Test {
protected:
    TempDir dir;

    ProgramRun Run(const std::vector<std::string>& arguments, std::string_view input = {}) {
        return testing::RunProgram(CliProgram(), arguments, dir.Path(), input);
    }
    std::string Bytes(const std::filesystem::path& path) {
        const auto bytes = ReadFileBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

// The example archive as text, as the program's output is compared.
std::string ExampleArchiveBytes() {
    const auto bytes = testing::ExampleArchiveBytes();
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(QuarrowCli, PacksTheExampleArchiveAndListsIt) {
    std::vector<std::string> arguments{"pack", "NEW"};
    for (const testing::ExampleFile& file : testing::kExampleFiles) {
        WriteFileText(dir / file.name, std::string(file.content));
        arguments.emplace_back(file.name);
    }
    const ProgramRun pack = Run(arguments);
    EXPECT_EQ(pack.exitCode, 0) << pack.err;
    EXPECT_EQ(pack.out, "");
    EXPECT_EQ(pack.err, "");
    EXPECT_EQ(Bytes(dir / "NEW"), ExampleArchiveBytes());
    EXPECT_FALSE(std::filesystem::exists(dir / "NEW.PAK"));

    const ProgramRun list = Run({"list", "NEW"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, "10\t24\ta.bin\n5\t34\tB.TXT\n");
    EXPECT_EQ(list.err, "");
}

TEST_F(QuarrowCli, AppendsTheExampleAndPrintsTheAddressRanges) {
    WriteFileText(dir / "a.pak", ExampleArchiveBytes());
    WriteFileText(dir / "ten", "ABCDEFGHIJ");
    WriteFileText(dir / "four", "wxyz");
    const ProgramRun append = Run({"append", "a.pak", "ten", "four"});
    EXPECT_EQ(append.exitCode, 0) << append.err;
    EXPECT_EQ(append.out, "B3h - BCh\tbytes 179 to 188\tten\nBFh - C2h\tbytes 191 to 194\tfour\n");
    EXPECT_EQ(Bytes(dir / "a.pak"), ExampleArchiveBytes() + "\r\nABCDEFGHIJ\r\nwxyz");
    EXPECT_EQ(Run({"list", "a.pak"}).out, "10\t24\ta.bin\n5\t34\tB.TXT\n");
}

// Each case: what a user types, the exit code a script sees, and a piece of what each stream says
// (empty: the stream stays empty). No file the user had changes.
TEST_F(QuarrowCli, CommandLinesAnswerWithTheirExitCodesAndOneLineMessages) {
    WriteFileText(dir / "example.pak", ExampleArchiveBytes());
    WriteFileText(dir / "notes.PAK", "just some text");
    WriteFileText(dir / "empty.pak", "");
    WriteFileText(dir / "ten", "ABCDEFGHIJ");
    HandMadeArchive negative;
    negative.Add("A.BIN", "a");
    negative.setCount = true;
    negative.count = -3;
    WriteFileBytes(dir / "negative.pak", negative.Bytes());
    HandMadeArchive pastEnd;
    pastEnd.Add("A.BIN", "a");
    pastEnd.setIndexOffset = true;
    pastEnd.indexOffset = 1 << 30;
    WriteFileBytes(dir / "past.pak", pastEnd.Bytes());
    HandMadeArchive hostile; // names that would split a line, add a column and turn the terminal red
    hostile.Add("A\nB.TXT", "1").Add("C\tD.TXT", "2").Add("\x1b[31mRED.TXT", "3").Add("\xff\xfe.BIN", "4");
    WriteFileBytes(dir / "hostile.pak", hostile.Bytes());
    HandMadeArchive mod;
    mod.Add("DATA\\A\\X1.BIN", "x1").Add("DATA\\B\\X2.BIN", "x2").Add("DATA\\B\\Y.BMP", "y");
    mod.Add("TOP.BMP", "top").Add("ST*R.TXT", "star");
    WriteFileBytes(dir / "mod.pak", mod.Bytes());

    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;
        std::string err;
        std::string input = {};
    };
    const std::string version(testing::kBuildVersion);
    const Case cases[] = {
        {{"list", "notes.PAK"}, 1, "", "quarrow-cli: notes.PAK is not a PAK archive: it does not begin with"},
        {{"list", "empty.pak"}, 1, "", "quarrow-cli: empty.pak is not a PAK archive"},
        {{"append", "notes.PAK", "ten"}, 1, "", "quarrow-cli: notes.PAK is not a PAK archive"},
        {{"extract", "missing.pak", "out"}, 1, "", "quarrow-cli: cannot open missing.pak: "},
        {{"list", "negative.pak"}, 1, "", "quarrow-cli: negative.pak is a damaged PAK archive: it has a negative"},
        {{"extract", "past.pak", "out"}, 1, "", "past.pak is a damaged PAK archive: it has an index that does not"},
        {{"extract", "example.pak", "ten"}, 3, "", "quarrow-cli: "},
        {{"list", "hostile.pak"}, 0, "1\t24\tA?B.TXT\n1\t25\tC?D.TXT\n1\t26\t?[31mRED.TXT\n1\t27\t", ""},
        {{"list", "--json", "hostile.pak"},
         0,
         "{\"name\":\"A\\nB.TXT\",\"size\":1,\"offset\":24}\n{\"name\":\"C\\tD.TXT\",\"size\":1,\"offset\":25}\n"
         "{\"name\":\"\\u001b[31mRED.TXT\",\"size\":1,\"offset\":26}\n",
         ""},
        {{"list", "--json", "hostile.pak"}, 0, ",\"size\":1,\"offset\":27,\"bytes\":\"fffe2e42494e\"}\n", ""},
        {{"check", "hostile.pak"}, 1, "problem: entry 4 (", ""},
        {{"extract", "-v", "example.pak", "loud"}, 0, "a.bin\nB.TXT\n", ""},
        {{"-q", "extract", "example.pak", "quiet"}, 0, "", ""},
        {{"extract", "-v", "mod.pak", "sel", "*.bmp"}, 0, "DATA\\B\\Y.BMP\nTOP.BMP\n", ""},
        {{"extract", "mod.pak", "sel", "*.BMP"}, 0, "", "quarrow-cli: replaced 2 files that existed"},
        {{"extract", "-v", "--keep", "mod.pak", "sel", "data", "top.bmp"},
         0,
         "DATA\\A\\X1.BIN\nDATA\\B\\X2.BIN\n",
         "kept 2 files"},
        {{"extract", "-v", "mod.pak", "data", "data/"}, 0, "DATA\\A\\X1.BIN\nDATA\\B\\X2.BIN\nDATA\\B\\Y.BMP\n", ""},
        {{"extract", "-v", "mod.pak", "pattern", "DATA/*/X?.BIN"}, 0, "DATA\\A\\X1.BIN\nDATA\\B\\X2.BIN\n", ""},
        {{"extract", "-O", "--exact", "mod.pak", "st*r.txt"}, 0, "star", ""},
        {{"extract", "--exact", "mod.pak", "exact", "*.bmp"}, 1, "", "quarrow-cli: no entry of mod.pak is named *.bmp"},
        {{"extract", "mod.pak", "none", "*.wav"}, 1, "", "quarrow-cli: no entry of mod.pak matches *.wav"},
        {{"extract", "-O", "mod.pak", "top.bmp", "data/a"}, 0, "x1top", ""},
        {{"list", "-"}, 0, "10\t24\ta.bin\n5\t34\tB.TXT\n", "", ExampleArchiveBytes()},
        {{"extract", "-O", "-", "b.txt"}, 0, "hello", "", ExampleArchiveBytes()},
        {{"check", "-"}, 1, "", "is not a PAK archive", "not an archive"},
        {{"lst", "example.pak"}, 2, "", "quarrow-cli: 'lst' is not a command; did you mean 'list'? See"},
        {{"version"}, 2, "", "quarrow-cli: 'version' is not a command"},
        {{"help", "frobnicate"}, 2, "", "'frobnicate' is not a command"},
        {{"extract", "example.pak"}, 0, "", ""},
        {{"-V"}, 0, "quarrow-cli " + version + "\n", ""},
        {{"--version"}, 0, "code page 936", ""},
        {{"help"}, 0, "Exit codes: 0 success", ""},
        {{"help", "extract"}, 0, "DIR", ""},
        {{}, 2, "", "quarrow-cli: "},
        {{"list"}, 2, "", "quarrow-cli: "},
        {{"extract"}, 2, "", "; see 'quarrow-cli help extract'"},
        {{"pack", "a.pak"}, 2, "", "quarrow-cli: "},
        {{"append", "a.pak"}, 2, "", "quarrow-cli: "},
        {{"update", "a.pak"}, 2, "", "quarrow-cli: "},
        {{"update", "a.pak", "-o"}, 2, "", "quarrow-cli: "},
        {{"delete", "a.pak"}, 2, "", "quarrow-cli: "},
        {{"check"}, 2, "", "quarrow-cli: "},
        {{"--bogus"}, 2, "", "quarrow-cli: "},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Run(c.arguments, c.input);
        const std::string context = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << context << "\n" << run.err;
        for (const auto& [stream, expected] : {std::pair{run.out, c.out}, std::pair{run.err, c.err}}) {
            if (expected.empty()) {
                EXPECT_EQ(stream, "") << context;
            } else {
                EXPECT_NE(stream.find(expected), std::string::npos) << context << " says:\n" << stream;
            }
        }
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), run.err.empty() ? 0 : 1)
            << context << " says in more than one line:\n"
            << run.err;
        EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << context;
    }
    EXPECT_EQ(Bytes(dir / "notes.PAK"), "just some text");
    EXPECT_EQ(Bytes(dir / "ten"), "ABCDEFGHIJ");
    EXPECT_FALSE(std::filesystem::exists(dir / "out" / "A.BIN")) << "no damaged archive was extracted";
    EXPECT_EQ(Bytes(dir / "quiet" / "B.TXT"), "hello");
    EXPECT_EQ(Bytes(dir / "B.TXT"), "hello") << "extract without DIR writes into the current folder";
    EXPECT_EQ(Bytes(dir / "sel" / "TOP.BMP"), "top");
}

TEST_F(QuarrowCli, ExtractSkipsHostileEntriesNamesThemAndWritesNothingOutside) {
    HandMadeArchive archive;
    archive.Add("..\\ESCAPE.TXT", "escaped")
        .Add("\\\\DATA\\\\GOOD.TXT", "good") // irregular but safe: the empty levels are left out
        .Add("C:\\DRIVE.TXT", "drive")
        .AddRaw("PAST.BIN", 500, 24)
        .Add("CON", "device");
    std::filesystem::create_directories(dir / "box");
    WriteFileBytes(dir / "box" / "h.pak", archive.Bytes());
    const ProgramRun run = Run({"extract", Utf8(dir / "box" / "h.pak"), Utf8(dir / "box" / "out")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(
        run.err,
        "quarrow-cli: skipped entry 1 (..\\ESCAPE.TXT): the stored name climbs out of the destination with \"..\"\n"
        "quarrow-cli: skipped entry 3 (C:\\DRIVE.TXT): the stored name has a character that file names cannot hold\n"
        "quarrow-cli: skipped entry 4 (PAST.BIN): the entry's data lies outside the archive\n"
        "quarrow-cli: skipped entry 5 (CON): the stored name is a device name\n");
    EXPECT_EQ(Bytes(dir / "box" / "out" / "DATA" / "GOOD.TXT"), "good");
    std::vector<std::string> written;
    for (const auto& item : std::filesystem::recursive_directory_iterator(dir.Path())) {
        written.push_back(item.path().lexically_relative(dir.Path()).generic_string());
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written,
              (std::vector<std::string>{"box", "box/h.pak", "box/out", "box/out/DATA", "box/out/DATA/GOOD.TXT"}));
}

TEST_F(QuarrowCli, PackingFoldersAndExtractingThemGivesTheTreeBack) {
    const auto map = dir / PathFromWide(L"地图");
    WriteFileText(map / PathFromWide(L"城.map"), "city");
    WriteFileText(map / "sub" / "x.bin", std::string(70000, 'x'));
    WriteFileText(dir / "single.dat", "one");
    const ProgramRun pack = Run({"pack", "中文.pak", "地图", "single.dat"});
    ASSERT_EQ(pack.exitCode, 0) << pack.err;
    const ProgramRun list = Run({"list", "中文.pak"});
    EXPECT_EQ(list.out, "4\t24\t城.MAP\n70000\t28\tSUB\\X.BIN\n3\t70028\tsingle.dat\n");
    const ProgramRun extract = Run({"extract", "中文.pak", "输出"});
    EXPECT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Bytes(dir / PathFromWide(L"输出") / PathFromWide(L"城.MAP")), "city");
    EXPECT_EQ(Bytes(dir / PathFromWide(L"输出") / "SUB" / "X.BIN"), std::string(70000, 'x'));
    EXPECT_EQ(Bytes(dir / PathFromWide(L"输出") / "single.dat"), "one");
}

TEST_F(QuarrowCli, PacksWhatLinksLeadToEachFolderOnceAndWritesNothingWhenItLeftSomethingOut) {
    std::string refused;
    if (!testing::MakeLinkedTree(dir.Path(), refused)) {
        GTEST_SKIP() << "this system makes no symbolic links here: " << refused;
    }
    const std::filesystem::path tree = "tree";
    const std::string lines[] = {
        "quarrow-cli: skipped link " + Utf8(tree / "broken") + ": its target cannot be opened: ",
        "quarrow-cli: skipped folder " + Utf8(tree / "loop") + ": it is the folder tree, packed already\n",
        "quarrow-cli: skipped folder " + Utf8(tree / "zsub" / "again") + ": it is the folder " + Utf8(tree / "linked") +
            ", packed already\n",
    };
    const auto expectLeftOutNamed = [&](const ProgramRun& run, const std::string& target) {
        EXPECT_EQ(run.exitCode, 1) << "something was left out";
        std::size_t at = 0;
        for (const std::string& line : lines) {
            at = run.err.find(line, at);
            EXPECT_NE(at, std::string::npos) << line << "\nin:\n" << run.err;
        }
        EXPECT_NE(run.err.find(target + " was not written\n"), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 4) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / target));
    };
    expectLeftOutNamed(Run({"pack", "linked.pak", "tree"}), "linked.pak");
    // update takes a folder as pack does.
    ASSERT_EQ(Run({"pack", "single.pak", Utf8(tree / "real.txt")}).exitCode, 0);
    expectLeftOutNamed(Run({"update", "single.pak", "-o", "updated.pak", "tree"}), "updated.pak");

    // Without what it cannot take, the tree packs, with what its links lead to.
    for (const char* link : {"broken", "loop", "zsub/again"}) {
        std::filesystem::remove(dir / tree / link);
    }
    ASSERT_EQ(Run({"pack", "linked.pak", "tree"}).exitCode, 0);
    EXPECT_EQ(Run({"list", "linked.pak"}).out,
              "12\t24\tFILE-LINK\n4\t36\tREAL.TXT\n12\t40\tLINKED\\SECRET\n5\t52\tLINKED\\DEEPER\\INNER\n");
    EXPECT_EQ(Run({"extract", "linked.pak", "out"}).exitCode, 0);
    EXPECT_EQ(Bytes(dir / "out" / "FILE-LINK"), testing::LinkedTree::kSecret);
}

#ifndef _WIN32
// Names are bytes here: those of code page 936 (copied from a Chinese Windows system) are stored as
// they are, a destination so named receives the files, and a name of neither encoding is named.
TEST_F(QuarrowCli, NamesInCodePage936BytesArePackedAndExtractedByteForByte) {
    const std::string data = "\xCA\xFD\xBE\xDD"; // 数据
    WriteFileText(dir / "tree" / data / (data + ".txt"), "data");
    const ProgramRun pack = Run({"pack", "gbk.pak", "tree"});
    ASSERT_EQ(pack.exitCode, 0) << pack.err;
    EXPECT_EQ(Run({"list", "gbk.pak"}).out, "4\t24\t数据\\数据.TXT\n");
    const ProgramRun extract = Run({"extract", "gbk.pak", data});
    EXPECT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Bytes(dir / data / "数据" / "数据.TXT"), "data");

    WriteFileText(dir / "tree" / "\xFF\xFE.bin", "neither");
    const ProgramRun refused = Run({"pack", "bad.pak", "tree"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("code page 936 cannot hold"), std::string::npos) << refused.err;
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 2)
        << "one problem, and the archive not written";
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.pak"));
}
#endif

TEST_F(QuarrowCli, ARefusedPackNamesEveryEntryAtFaultAndLeavesTheOldArchive) {
    for (const char letter : {'L', 'M', 'N'}) {
        WriteFileText(dir / "mod" / std::string(41, letter), "x");
    }
    WriteFileText(dir / "mod" / "fine.bin", "x");
    WriteFileText(dir / "old.pak", "the old archive");
    const ProgramRun run = Run({"pack", "old.pak", "mod"});
    EXPECT_EQ(run.exitCode, 1);
    for (const char letter : {'L', 'M', 'N'}) {
        const std::size_t line = run.err.find(std::string(41, letter));
        ASSERT_NE(line, std::string::npos) << run.err;
        EXPECT_NE(run.err.find("more than 40 bytes", line), std::string::npos) << run.err;
    }
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 4) << "one line for each, one for the archive";
    EXPECT_TRUE(run.err.ends_with("quarrow-cli: old.pak was not written\n")) << run.err;
    EXPECT_EQ(Bytes(dir / "old.pak"), "the old archive");

    const ProgramRun missing = Run({"pack", "new.pak", "no-such-file"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.starts_with("quarrow-cli: cannot add no-such-file: ")) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "new.pak"));
}

} // namespace
} // namespace quarrow
