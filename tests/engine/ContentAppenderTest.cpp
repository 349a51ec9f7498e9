#include "ContentAppender.hpp"

#include "ArchiveReader.hpp"
#include "ExampleArchive.hpp"
#include "File.hpp"
#include "PakFormat.hpp"
#include "ProgressRecorder.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::ExampleArchiveBytes;
using testing::ProgressRecorder;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

TEST(AppendContents, TheExampleByteForByteWithItsAddressTexts) {
    TempDir dir;
    const auto original = ExampleArchiveBytes();
    WriteFileBytes(dir / "a.pak", original);
    WriteFileText(dir / "ten", "ABCDEFGHIJ");
    WriteFileText(dir / "four", "wxyz");

    ProgressRecorder progress;
    const auto outcomes = AppendContents(dir / "a.pak", {dir / "ten", dir / "four"}, progress);
    ASSERT_EQ(outcomes.size(), 2u);
    ASSERT_TRUE(outcomes[0].block && outcomes[1].block);
    EXPECT_EQ(outcomes[0].block->AddressText(), L"B3h - BCh");
    EXPECT_EQ(outcomes[1].block->AddressText(), L"BFh - C2h");

    auto expected = original;
    for (const char c : std::string("\r\nABCDEFGHIJ\r\nwxyz")) {
        expected.push_back(static_cast<std::uint8_t>(c));
    }
    EXPECT_EQ(ReadFileBytes(dir / "a.pak"), expected);
    EXPECT_EQ(progress.With("items.done "), (std::vector<std::string>{"1", "2"}));

    const ArchiveCheck check = CheckArchive(dir / "a.pak");
    ASSERT_TRUE(check);
    Workspace workspace;
    NullProgress none;
    LoadArchive(workspace, dir / "a.pak", check.header, none);
    ASSERT_EQ(workspace.Count(), 2u);
    EXPECT_EQ(workspace.MasterText(2, 1), L"B.TXT");
}

TEST(AppendContents, ReportsEachFileAsReadThenWritten) {
    TempDir dir;
    WriteFileBytes(dir / "a.pak", ExampleArchiveBytes());
    Workspace ignored;
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 3; ++i) {
        files.push_back(dir / ("f" + std::to_string(i)));
        WriteFileText(files.back(), "x");
    }
    ProgressRecorder progress;
    AppendContents(dir / "a.pak", files, progress);
    EXPECT_EQ(progress.With("items.done "), (std::vector<std::string>{"1", "2", "3"}));
    const std::string archive = Utf8FromWide(WideFromPath(dir / "a.pak"));
    EXPECT_EQ(progress.StepFrom("show"),
              (std::vector<std::string>{"show", "stages.visible 0", "items.total 3", "step AppendStarting", "item ",
                                        "step ReadingSource", "item source=" + Utf8FromWide(WideFromPath(files[0])),
                                        "step WritingArchive", "item archive=" + archive, "items.done 1"}));
}

TEST(AppendContents, AnArchiveOf255BytesGetsItsFirstBlockAt0101) {
    TempDir dir;
    WriteFileBytes(dir / "a.pak", std::vector<std::uint8_t>(255, 0));
    WriteFileText(dir / "one", "1");
    NullProgress progress;
    const auto outcomes = AppendContents(dir / "a.pak", {dir / "one"}, progress);
    EXPECT_EQ(outcomes[0].block->AddressText(), L"0101h - 0101h");
}

TEST(AppendContents, AnUnreadableFileIsSkippedAndTheNextTakesItsPlace) {
    TempDir dir;
    WriteFileBytes(dir / "a.pak", ExampleArchiveBytes());
    WriteFileText(dir / "four", "wxyz");
    NullProgress progress;
    const auto outcomes = AppendContents(dir / "a.pak", {dir / "gone", dir / "four"}, progress);
    EXPECT_FALSE(outcomes[0].block);
    EXPECT_EQ(outcomes[0].skip, AppendSkip::Unreadable);
    EXPECT_TRUE(outcomes[0].error);
    EXPECT_EQ(outcomes[1].block->AddressText(), L"B3h - B6h");
    EXPECT_EQ(ReadFileBytes(dir / "a.pak").size(), 177u + 6u);
}

TEST(AppendContents, ARunThatWouldPassTwoGigabytesIsRefusedBeforeWriting) {
    TempDir dir;
    {
        File archive = File::Open(dir / "big.pak", File::Mode::CreateNew);
        archive.Truncate(static_cast<std::uint64_t>(kMaxOffset) - 20); // sparse
        archive.Close();
    }
    WriteFileText(dir / "fits", "0123456789");
    WriteFileText(dir / "too much", "0123456789");
    NullProgress progress;
    EXPECT_THROW(AppendContents(dir / "big.pak", {dir / "fits", dir / "too much"}, progress), AppendRefused);
    EXPECT_EQ(std::filesystem::file_size(dir / "big.pak"), static_cast<std::uintmax_t>(kMaxOffset) - 20);
    const auto outcomes = AppendContents(dir / "big.pak", {dir / "fits"}, progress);
    EXPECT_EQ(outcomes[0].block->AddressText(), L"7FFFFFEDh - 7FFFFFF6h");
}

TEST(AppendContents, AMissingArchiveIsAnError) {
    TempDir dir;
    WriteFileText(dir / "one", "1");
    NullProgress progress;
    EXPECT_THROW(AppendContents(dir / "none.pak", {dir / "one"}, progress), FileError);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.pak"));
}

} // namespace
} // namespace quarrow
