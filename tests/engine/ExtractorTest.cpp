#include "Extractor.hpp"

#include "ArchiveReader.hpp"
#include "File.hpp"
#include "HandMadeArchive.hpp"
#include "ProgressRecorder.hpp"
#include "SystemPath.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgressRecorder;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

std::string Text(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Every file below `root`, as relative paths with "/" between levels.
std::vector<std::string> Tree(const std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) {
            files.push_back(item.path().lexically_relative(root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

Workspace Open(const std::filesystem::path& archive) {
    const ArchiveCheck check = CheckArchive(archive);
    EXPECT_TRUE(check);
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, archive, check.header, progress);
    return workspace;
}

TEST(ExtractArchive, WritesEveryEntryBelowTheFolderWithItsDirectories) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("DATA\\IMG\\A.BMP", "image").Add("ROOT.TXT", "root").Add("EMPTY.BIN", "");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    const Workspace workspace = Open(dir / "a.pak");

    ProgressRecorder progress;
    const ExtractionResult result = ExtractArchive(workspace, dir / "a.pak", dir / "out", progress);
    EXPECT_EQ(result.written, 3u);
    EXPECT_TRUE(result.skipped.empty());
    EXPECT_EQ(Tree(dir / "out"), (std::vector<std::string>{"DATA/IMG/A.BMP", "EMPTY.BIN", "ROOT.TXT"}));
    EXPECT_EQ(Text(dir / "out" / "DATA" / "IMG" / "A.BMP"), "image");
    EXPECT_EQ(std::filesystem::file_size(dir / "out" / "EMPTY.BIN"), 0u);

    const std::wstring out = WideFromPath(dir / "out");
    const std::wstring sep(1, kSystemSeparator);
    EXPECT_EQ(progress.With("items.total "), (std::vector<std::string>{"3"}));
    EXPECT_EQ(progress.With("items.done "), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(progress.With("step "), (std::vector<std::string>{"ReadingArchive", "ExtractingEntries", "Extracted"}));
    EXPECT_EQ(
        progress.StepFrom("show"),
        (std::vector<std::string>{"show", "step ReadingArchive",
                                  "item archive=" + Utf8FromWide(WideFromPath(dir / "a.pak")), "stages.visible 0"}));
    const auto items = progress.With("item ");
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[1], Utf8FromWide(L"destination=" + out + sep + L"DATA" + sep + L"IMG" + sep + L"A.BMP folder=" +
                                     out + sep + L"DATA" + sep + L"IMG"));
    EXPECT_EQ(items[2], Utf8FromWide(L"destination=" + out + sep + L"ROOT.TXT folder=" + out + sep));
    EXPECT_EQ(items[4], "");
    EXPECT_EQ(progress.events.back(), "close");
}

TEST(ExtractArchive, ReplacesLongerFilesWholeAndRepeatsIdentically) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.TXT", "new").Add("SUB\\B.TXT", "bee");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    WriteFileText(dir / "out" / "A.TXT", "a much longer file that was there before");
    const Workspace workspace = Open(dir / "a.pak");
    NullProgress progress;
    ExtractArchive(workspace, dir / "a.pak", dir / "out", progress);
    EXPECT_EQ(Text(dir / "out" / "A.TXT"), "new");
    const ExtractionResult again = ExtractArchive(workspace, dir / "a.pak", dir / "out", progress);
    EXPECT_EQ(again.written, 2u);
    EXPECT_EQ(Tree(dir / "out"), (std::vector<std::string>{"A.TXT", "SUB/B.TXT"}));
    EXPECT_EQ(Text(dir / "out" / "SUB" / "B.TXT"), "bee");
}

TEST(ExtractArchive, LaterEntriesOfTheSameNameWin) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.TXT", "first").Add("A.TXT", "second");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    NullProgress progress;
    ExtractArchive(Open(dir / "a.pak"), dir / "a.pak", dir / "out", progress);
    EXPECT_EQ(Text(dir / "out" / "A.TXT"), "second");
}

TEST(ExtractSelected, WritesTheSelectedRowsAloneAndNamesSkippedOnesByTheirRow) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.TXT", "first")
        .Add("SUB\\B.TXT", "b")
        .Add("..\\UP.TXT", "x")
        .Add("A.TXT", "second")
        .Add("C.TXT", "c");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    const Workspace workspace = Open(dir / "a.pak");

    const std::size_t outOfOrder[] = {3, 2};
    const std::size_t beyond[] = {6};
    NullProgress quiet;
    EXPECT_THROW(ExtractSelected(workspace, outOfOrder, dir / "a.pak", dir / "out", quiet), std::invalid_argument);
    EXPECT_THROW(ExtractSelected(workspace, beyond, dir / "a.pak", dir / "out", quiet), std::invalid_argument);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    const std::size_t selected[] = {2, 3, 4};
    ProgressRecorder progress;
    const ExtractionResult result = ExtractSelected(workspace, selected, dir / "a.pak", dir / "out", progress);
    EXPECT_EQ(result.written, 2u);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].position, 3u);
    EXPECT_EQ(Tree(dir / "out"), (std::vector<std::string>{"A.TXT", "SUB/B.TXT"}));
    EXPECT_EQ(Text(dir / "out" / "A.TXT"), "second");
    EXPECT_EQ(progress.With("items.total "), (std::vector<std::string>{"3"}));
}

TEST(ExtractArchive, HostileEntriesAreSkippedWithReasonsAndNothingLandsOutside) {
    // A rooted name is not hostile: without its empty level it lands inside, as a relative name does.
    TempDir dir;
    const std::filesystem::path destination = dir / "box" / "out";
    std::filesystem::create_directories(destination);
    WriteFileText(dir / "box" / "VICTIM.TXT", "the user's own file");
    HandMadeArchive archive;
    archive.Add("..\\VICTIM.TXT", "overwritten!")
        .Add("GOOD.TXT", "good")
        .Add("DATA\\..\\..\\ESCAPE.TXT", "escaped")
        .Add("\\ROOTED.TXT", "rooted")
        .Add("C:\\DRIVE.TXT", "drive")
        .Add("NUL.TXT", "device")
        .Add("A\x81\x7F.BIN", "undecodable")
        .AddRaw("PAST.BIN", 1000, 24)
        .AddRaw("NEGATIVE.BIN", 5, -10)
        .AddRaw("WRAPS.BIN", 0x7FFFFFFF, 0x7FFFFFFF)
        .Add("LAST.TXT", "last");
    WriteFileBytes(dir / "box" / "a.pak", archive.Bytes());
    const Workspace workspace = Open(dir / "box" / "a.pak");

    NullProgress progress;
    const ExtractionResult result = ExtractArchive(workspace, dir / "box" / "a.pak", destination, progress);
    EXPECT_EQ(result.written, 3u);
    std::vector<std::pair<std::size_t, SkipReason>> skipped;
    for (const auto& entry : result.skipped) {
        skipped.emplace_back(entry.position, entry.reason);
        EXPECT_FALSE(Describe(entry).empty());
    }
    EXPECT_EQ(skipped, (std::vector<std::pair<std::size_t, SkipReason>>{
                           {1, SkipReason::UnsafeName},
                           {3, SkipReason::UnsafeName},
                           {5, SkipReason::UnsafeName},
                           {6, SkipReason::UnsafeName},
                           {7, SkipReason::UndecodableName},
                           {8, SkipReason::DataOutsideArchive},
                           {9, SkipReason::DataOutsideArchive},
                           {10, SkipReason::DataOutsideArchive},
                       }));
    EXPECT_EQ(result.skipped[0].nameProblem, NameProblem::ParentReference);
    EXPECT_EQ(Tree(dir.Path()), (std::vector<std::string>{"box/VICTIM.TXT", "box/a.pak", "box/out/GOOD.TXT",
                                                          "box/out/LAST.TXT", "box/out/ROOTED.TXT"}));
    EXPECT_EQ(Text(dir / "box" / "VICTIM.TXT"), "the user's own file");
}

TEST(ExtractArchive, AnEntryThatCannotBeWrittenIsReportedAndTheRunGoesOn) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("BLOCKED\\A.TXT", "a").Add("B.TXT", "b");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    WriteFileText(dir / "out" / "BLOCKED", "a file where a folder should be");
    NullProgress progress;
    const ExtractionResult result = ExtractArchive(Open(dir / "a.pak"), dir / "a.pak", dir / "out", progress);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].reason, SkipReason::CannotWrite);
    EXPECT_TRUE(result.skipped[0].error);
    EXPECT_EQ(Text(dir / "out" / "B.TXT"), "b");
    EXPECT_EQ(Text(dir / "out" / "BLOCKED"), "a file where a folder should be");
}

TEST(ExtractArchive, EntriesAddedFromDiskAreServedOnlyOnceTheyHaveAnOffset) {
    TempDir dir;
    WriteFileText(dir / "a.txt", "a");
    HandMadeArchive archive;
    archive.Add("A.TXT", "a");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "a.txt"));
    NullProgress progress;
    const ExtractionResult result = ExtractArchive(workspace, dir / "a.pak", dir / "out", progress);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].reason, SkipReason::NotInArchive);
}

TEST(ExtractArchive, AMissingArchiveIsAnErrorOfTheWholeRun) {
    TempDir dir;
    Workspace workspace;
    workspace.AddArchiveEntry(L"A", 1, 24);
    ProgressRecorder progress;
    EXPECT_THROW(ExtractArchive(workspace, dir / "none.pak", dir / "out", progress), FileError);
    EXPECT_EQ(progress.events.back(), "close");
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

TEST(ExtractArchive, ADestinationThatCannotBeAFolderStopsTheRunBeforeAnyEntry) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.TXT", "a").Add("SUB\\B.TXT", "b");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    WriteFileText(dir / "file", "a file where the folder should be");
    const Workspace workspace = Open(dir / "a.pak");
    for (const auto& destination : {dir / "file", dir / "file" / "below", std::filesystem::path()}) {
        ProgressRecorder progress;
        try {
            ExtractArchive(workspace, dir / "a.pak", destination, progress);
            ADD_FAILURE() << "extracted into " << destination;
        } catch (const FileError& error) {
            EXPECT_EQ(error.Operation(), FileOperation::Create);
            EXPECT_EQ(error.Path(), destination);
            EXPECT_TRUE(error.Code());
        }
        EXPECT_EQ(progress.events.back(), "close");
        EXPECT_TRUE(progress.With("items.done ").empty());
    }
    EXPECT_EQ(Tree(dir.Path()), (std::vector<std::string>{"a.pak", "file"}));
}

} // namespace
} // namespace quarrow
