#include "File.hpp"

#include "SystemMessage.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <algorithm>

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

TEST(File, MissingFileFailsWithItsNameAndOperation) {
    TempDir dir;
    try {
        File::Open(dir / "missing.pak", File::Mode::Read);
        FAIL() << "opening a missing file succeeded";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Operation(), FileOperation::Open);
        EXPECT_EQ(error.Path(), dir / "missing.pak");
        EXPECT_NE(std::string(error.what()).find("missing.pak"), std::string::npos);
    }
}

TEST(File, TheSystemsReasonIsOneLineOfUtf8) {
    // Windows words it in the user's language (Chinese here, under Wine), which must reach a UTF-8
    // console or log intact.
    TempDir dir;
    try {
        File::Open(dir / "missing" / "a.pak", File::Mode::Read);
        FAIL() << "opening a missing file succeeded";
    } catch (const FileError& error) {
        const std::string what = error.what();
        EXPECT_EQ(what.find_first_of("\r\n"), std::string::npos) << what;
        EXPECT_EQ(Utf8FromWide(WideFromUtf8(what)), what) << "not UTF-8: " << what;
        EXPECT_TRUE(what.ends_with(": " + SystemMessage(error.Code()))) << what;
        EXPECT_FALSE(SystemMessage(error.Code()).empty());
    }
}

TEST(File, OpenOrCreateNeverTruncatesAndWritesPastTheEndFillWithZeros) {
    TempDir dir;
    WriteFileText(dir / "a.bin", "abc");
    {
        File file = File::Open(dir / "a.bin", File::Mode::OpenOrCreate);
        EXPECT_EQ(file.Size(), 3u);
        const char tail[] = {'Z'};
        file.WriteAt(6, tail, 1);
        file.Close();
    }
    EXPECT_EQ(ReadFileBytes(dir / "a.bin"), (std::vector<std::uint8_t>{'a', 'b', 'c', 0, 0, 0, 'Z'}));
}

TEST(File, ReadStopsShortAtTheEnd) {
    TempDir dir;
    WriteFileText(dir / "a.bin", "hello");
    const File file = File::Open(dir / "a.bin", File::Mode::Read);
    char buffer[16] = {};
    EXPECT_EQ(file.ReadAt(3, buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "lo");
    EXPECT_EQ(file.ReadAt(100, buffer, sizeof buffer), 0u);
}

TEST(File, CreateModesReplaceOrRefuseAnExistingFile) {
    TempDir dir;
    WriteFileText(dir / "a.bin", "old content");
    File::Open(dir / "a.bin", File::Mode::CreateAlways).Close();
    EXPECT_TRUE(ReadFileBytes(dir / "a.bin").empty());
    EXPECT_THROW(File::Open(dir / "a.bin", File::Mode::CreateNew), FileError);
}

TEST(File, TruncateShortensTheFileAndRoomReservedAddsNothing) {
    TempDir dir;
    WriteFileText(dir / "a.bin", "0123456789");
    File file = File::Open(dir / "a.bin", File::Mode::ReadWrite);
    file.Truncate(4);
    file.Reserve(1024 * 1024);
    EXPECT_EQ(file.Size(), 4u);
    file.Close();
    EXPECT_EQ(ReadFileBytes(dir / "a.bin"), (std::vector<std::uint8_t>{'0', '1', '2', '3'}));
}

#ifdef __linux__
TEST(File, CopyWithinSystemGivesTheSourcesBytesWhereverEitherSideLiesInItsPages) {
    // Alike within their pages (copy_file_range, first up to a boundary of the target) or shifted (a
    // pipe's steps), over several steps; the last asks for more than the source holds.
    TempDir dir;
    std::vector<std::uint8_t> bytes(3 * 1024 * 1024 + 17);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 131 ^ i >> 12);
    }
    WriteFileBytes(dir / "source", bytes);
    const File source = File::Open(dir / "source", File::Mode::Read);
    struct Copy {
        std::uint64_t from, to, count;
    };
    const std::uint64_t all = bytes.size();
    for (const Copy& copy : {Copy{0, 0, all}, Copy{24, 24, all - 24}, Copy{24, 24 + 5 * 4096, all - 24},
                             Copy{0, 1, all}, Copy{1, 0, all - 1}, Copy{4095, 24, all - 4095}, Copy{5, 4100, all}}) {
        SCOPED_TRACE(std::to_string(copy.from) + " to " + std::to_string(copy.to));
        File target = File::Open(dir / "target", File::Mode::CreateAlways);
        const std::uint64_t copied = target.CopyWithinSystem(source, copy.from, copy.to, copy.count);
        target.Close();
        EXPECT_EQ(copied, std::min(copy.count, all - copy.from));
        std::vector<std::uint8_t> expected(copy.to, 0);
        expected.insert(expected.end(), bytes.begin() + copy.from, bytes.begin() + copy.from + copied);
        EXPECT_EQ(ReadFileBytes(dir / "target"), expected);
    }
}
#endif

} // namespace
} // namespace quarrow
