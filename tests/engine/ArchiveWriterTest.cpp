#include "ArchiveWriter.hpp"

#include "ArchiveReader.hpp"
#include "File.hpp"
#include "ExampleArchive.hpp"
#include "FolderSnapshot.hpp"
#include "HandMadeArchive.hpp"
#include "IndependentReader.hpp"
#include "ProgressRecorder.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgressRecorder;
using testing::ReadArchiveBytes;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PackArchive, TwoFilesOfTenAndFiveBytesGiveTheExampleArchive) {
    TempDir dir;
    Workspace workspace;
    for (const testing::ExampleFile& file : testing::kExampleFiles) {
        WriteFileText(dir / "src" / file.name, std::string(file.content));
        ASSERT_FALSE(workspace.AddFileEntry(dir / "src" / file.name));
    }
    NullProgress progress;
    PackArchive(workspace, dir / "new.pak", progress);
    EXPECT_EQ(ReadFileBytes(dir / "new.pak"), testing::ExampleArchiveBytes());
    EXPECT_EQ(workspace.MasterText(1, 3), L"24");
    EXPECT_EQ(workspace.MasterText(2, 3), L"34");
    EXPECT_EQ(workspace.ArchivePath(), dir / "new.pak");
}

TEST(PackArchive, ReportsThreeStagesOfEveryEntry) {
    TempDir dir;
    Workspace workspace;
    for (int i = 0; i < 8; ++i) {
        const auto file = dir / ("f" + std::to_string(i));
        WriteFileText(file, std::string(static_cast<std::size_t>(i), 'x'));
        ASSERT_FALSE(workspace.AddFileEntry(file));
    }
    ProgressRecorder progress;
    PackArchive(workspace, dir / "eight.pak", progress);

    std::vector<std::string> eachEntry;
    for (int i = 1; i <= 8; ++i) {
        eachEntry.push_back(std::to_string(i));
    }
    std::vector<std::string> thrice;
    for (int stage = 0; stage < 3; ++stage) {
        thrice.insert(thrice.end(), eachEntry.begin(), eachEntry.end());
    }
    EXPECT_EQ(progress.With("items.done "), thrice);
    EXPECT_EQ(progress.With("step "),
              (std::vector<std::string>{"AssigningOffsets", "CopyingContents", "WritingStructure", "WritingIndex"}));
    EXPECT_EQ(progress.With("stages."),
              (std::vector<std::string>{"visible 1", "total 3", "done 1", "done 2", "done 3"}));
    EXPECT_EQ(progress.StepFrom("step AssigningOffsets"),
              (std::vector<std::string>{"step AssigningOffsets", "item ", "items.total 8", "items.done 1"}));
    EXPECT_EQ(progress.StepFrom("step WritingStructure"),
              (std::vector<std::string>{"step WritingStructure", "item ", "step WritingIndex", "item stored=f0",
                                        "items.done 1"}));
    EXPECT_EQ(progress.events.front(), "show");
    EXPECT_EQ(progress.events.back(), "close");
    EXPECT_EQ(progress.With("item source=" + Utf8FromWide(WideFromPath(dir / "f3"))).size(), 1u);
}

TEST(PackArchive, DataEndingAtFortySevenOrFortyEightPlacesTheIndexAtFortyNineOrSixtyFive) {
    TempDir dir;
    for (const auto& [size, index] : {std::pair{23, 49}, std::pair{24, 65}}) {
        WriteFileText(dir / "data", std::string(static_cast<std::size_t>(size), 'd'));
        Workspace workspace;
        ASSERT_FALSE(workspace.AddFileEntry(dir / "data"));
        NullProgress progress;
        PackArchive(workspace, dir / "out.pak", progress);
        const auto bytes = ReadFileBytes(dir / "out.pak");
        ASSERT_EQ(bytes.size(), static_cast<std::size_t>(index + 64));
        EXPECT_EQ(ReadInt32LE(bytes, 8), index);
        EXPECT_TRUE(std::all_of(bytes.begin() + 24 + size, bytes.begin() + index, [](auto b) { return b == 0; }));
    }
}

TEST(PackArchive, EmptyFilesTakeNoBytesAndFortyByteNamesHaveNoTerminator) {
    TempDir dir;
    WriteFileText(dir / "empty", "");
    WriteFileText(dir / "three", "abc");
    Workspace workspace;
    workspace.AddFolderEntry(dir / "empty", std::wstring(40, L'E'), 0);
    workspace.AddFolderEntry(dir / "three", L"T", 3);
    NullProgress progress;
    PackArchive(workspace, dir / "out.pak", progress);
    EXPECT_EQ(workspace.MasterText(1, 3), L"24");
    EXPECT_EQ(workspace.MasterText(2, 3), L"24");

    const ArchiveCheck check = CheckArchive(dir / "out.pak");
    ASSERT_TRUE(check);
    Workspace opened;
    LoadArchive(opened, dir / "out.pak", check.header, progress);
    EXPECT_EQ(opened.MasterText(1, 1), std::wstring(40, L'E'));
    EXPECT_EQ(opened.MasterText(1, 2), L"0");
    EXPECT_EQ(opened.MasterText(2, 1), L"T");
}

TEST(PackArchive, AGrownSourceIsCutToItsRecordedSize) {
    TempDir dir;
    WriteFileText(dir / "grows", "12345");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "grows"));
    WriteFileText(dir / "grows", "1234567890");
    NullProgress progress;
    PackArchive(workspace, dir / "out.pak", progress);
    const auto bytes = ReadFileBytes(dir / "out.pak");
    EXPECT_EQ(std::string(bytes.begin() + 24, bytes.begin() + 30), std::string("12345\0", 6));
    EXPECT_EQ(ReadInt32LE(bytes, 33), 5); // data ends at 29, so the index lies at 33
}

TEST(PackArchive, ALargerOldTargetLeavesNoTrailingBytes) {
    TempDir dir;
    WriteFileText(dir / "a", "a");
    WriteFileText(dir / "out.pak", std::string(5000, 'O'));
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "a"));
    NullProgress progress;
    PackArchive(workspace, dir / "out.pak", progress);
    EXPECT_EQ(ReadFileBytes(dir / "out.pak").size(), 33u + 64u);
}

// Opens `archive` (written as `name` in the folder) and adds its entries behind the workspace's.
void AddOpened(const TempDir& dir, Workspace& workspace, const HandMadeArchive& archive,
               const std::string& name = "src.pak") {
    WriteFileBytes(dir / name, archive.Bytes());
    Workspace opened;
    NullProgress progress;
    LoadArchive(opened, dir / name, CheckArchive(dir / name).header, progress);
    workspace.Append(std::move(opened));
}

// The packer's layout, judged from the bytes alone: data back to back from 24, the index at Q + 1.
void ExpectPackerLayout(const testing::ReadArchive& archive) {
    std::int64_t offset = 24;
    for (const auto& entry : archive.entries) {
        EXPECT_EQ(entry.offset, offset);
        offset += entry.size;
    }
    EXPECT_EQ(archive.indexOffset, 16 * ((offset + 16) / 16) + 1);
    EXPECT_EQ(archive.headerWord, 16447);
    EXPECT_EQ(archive.fileSize, static_cast<std::size_t>(archive.indexOffset) + 64 * archive.entries.size());
}

TEST(PackArchive, OpenedEntriesAreCopiedFromTheirArchiveWithTheirNameFieldsAsRead) {
    TempDir dir;
    const std::string forty(40, 'N');
    const std::string undecodable = "A\x81\x7F.BIN";
    const std::string trailing("TAIL.BIN\0left over", 19); // what follows the terminator survives too
    HandMadeArchive archive;
    archive.Add(forty, "forty").Add(undecodable, "odd").Add(trailing, std::string(3000, 't')).Add("E", "");
    Workspace workspace;
    AddOpened(dir, workspace, archive);
    NullProgress progress;
    PackArchive(workspace, dir / "new.pak", progress);

    const auto packed = ReadArchiveBytes(ReadFileBytes(dir / "new.pak"));
    ExpectPackerLayout(packed);
    ASSERT_EQ(packed.entries.size(), 4u);
    EXPECT_EQ(packed.entries[0].nameField, forty);
    EXPECT_EQ(packed.entries[1].nameField, undecodable + std::string(40 - undecodable.size(), '\0'));
    EXPECT_EQ(packed.entries[2].nameField, trailing + std::string(40 - trailing.size(), '\0'));
    EXPECT_EQ(packed.entries[0].data, "forty");
    EXPECT_EQ(packed.entries[2].data, std::string(3000, 't'));

    // The entries now live in the new archive, which serves them even when the old one is gone.
    for (std::size_t i = 1; i <= workspace.Count(); ++i) {
        EXPECT_EQ(workspace.Entry(i).archive->Path(), dir / "new.pak");
        EXPECT_EQ(*workspace.Entry(i).dataOffset, packed.entries[i - 1].offset);
    }
    std::filesystem::remove(dir / "src.pak");
    PackArchive(workspace, dir / "again.pak", progress);
    EXPECT_EQ(ReadFileBytes(dir / "again.pak"), ReadFileBytes(dir / "new.pak"));
}

TEST(PackArchive, TheTargetMayBeTheArchiveTheEntriesComeFrom) {
    TempDir dir;
    HandMadeArchive archive;
    archive.Add("A.TXT", "first").Add("DATA\\B.TXT", "second").Add("C.TXT", std::string(100000, 'c'));
    Workspace workspace;
    AddOpened(dir, workspace, archive, "game.pak");
    WriteFileText(dir / "b.new", "replaced");
    WriteFileText(dir / "extra.txt", "added");
    ASSERT_FALSE(workspace.ReplaceEntryData(2, dir / "b.new"));
    ASSERT_FALSE(workspace.AddFileEntry(dir / "extra.txt"));
    NullProgress progress;
    for (int round = 0; round < 2; ++round) { // the second round rewrites the archive from itself alone
        PackArchive(workspace, dir / "game.pak", progress);
        const auto packed = ReadArchiveBytes(ReadFileBytes(dir / "game.pak"));
        ExpectPackerLayout(packed);
        EXPECT_EQ(packed.Contents(), (std::map<std::string, std::string>{{"A.TXT", "first"},
                                                                         {"DATA\\B.TXT", "replaced"},
                                                                         {"C.TXT", std::string(100000, 'c')},
                                                                         {"extra.txt", "added"}}));
        EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"b.new", "extra.txt", "game.pak"}));
        EXPECT_EQ(workspace.Entry(3).archive->Path(), dir / "game.pak");
        EXPECT_EQ(workspace.Entry(2).source, dir / "b.new");
    }
}

struct Refusal {
    const char* name;
    std::function<void(const TempDir&, Workspace&)> build;
    PackProblem problem;
    std::size_t position;
};

void PrintTo(const Refusal& refusal, std::ostream* os) { *os << refusal.name; }

class PackRefuses : public ::testing::TestWithParam<Refusal> {};

TEST_P(PackRefuses, BeforeWritingAnythingAndNamesTheEntry) {
    TempDir dir;
    WriteFileText(dir / "ok", "fine");
    WriteFileText(dir / "out.pak", "the user's old archive");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "ok"));
    GetParam().build(dir, workspace);
    const auto before = FolderNames(dir.Path());
    ProgressRecorder progress;
    try {
        PackArchive(workspace, dir / "out.pak", progress);
        FAIL() << "the pack was not refused";
    } catch (const PackError& error) {
        EXPECT_EQ(error.Problem(), GetParam().problem);
        EXPECT_EQ(error.Position(), GetParam().position);
    }
    EXPECT_TRUE(progress.events.empty());
    EXPECT_EQ(FolderNames(dir.Path()), before);
    EXPECT_EQ(testing::ReadFileBytes(dir / "out.pak").size(), 22u);
    for (std::size_t i = 1; i <= workspace.Count(); ++i) {
        if (workspace.Entry(i).FromDisk()) {
            EXPECT_TRUE(workspace.MasterText(i, 3).empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Workspaces, PackRefuses,
    ::testing::Values(
        Refusal{"Empty", [](const TempDir&, Workspace& w) { w.Clear(); }, PackProblem::EmptyWorkspace, 0},
        Refusal{"NameOfFortyOneBytes",
                [](const TempDir& d, Workspace& w) { w.AddFolderEntry(d / "ok", std::wstring(41, L'N'), 4); },
                PackProblem::NameTooLong, 2},
        Refusal{"TwentyOneChineseCharacters",
                [](const TempDir& d, Workspace& w) { w.AddFolderEntry(d / "ok", std::wstring(21, L'城'), 4); },
                PackProblem::NameTooLong, 2},
        Refusal{"Korean", [](const TempDir& d, Workspace& w) { w.AddFolderEntry(d / "ok", L"한국.BIN", 4); },
                PackProblem::NameUnrepresentable, 2},
        Refusal{"SourceGone",
                [](const TempDir& d, Workspace& w) {
                    WriteFileText(d / "gone", "x");
                    (void)w.AddFileEntry(d / "gone");
                    std::filesystem::remove(d / "gone");
                },
                PackProblem::SourceUnreadable, 2},
        Refusal{"SourceShrunk",
                [](const TempDir& d, Workspace& w) {
                    WriteFileText(d / "shrinks", "12345");
                    (void)w.AddFileEntry(d / "shrinks");
                    WriteFileText(d / "shrinks", "12");
                },
                PackProblem::SourceShorter, 2},
        Refusal{"EntryWithoutSource", [](const TempDir&, Workspace& w) { w.AddArchiveEntry(L"A.BIN", 1, 24); },
                PackProblem::NoSource, 2},
        Refusal{"SourceArchiveGrownSinceOpened",
                [](const TempDir& d, Workspace& w) {
                    AddOpened(d, w, HandMadeArchive().Add("A.BIN", "a"));
                    std::ofstream(d / "src.pak", std::ios::app | std::ios::binary) << "appended later";
                },
                PackProblem::SourceArchiveChanged, 2},
        Refusal{"SourceArchiveRewrittenAtTheSameSize",
                [](const TempDir& d, Workspace& w) {
                    HandMadeArchive archive;
                    archive.Add("A.BIN", "a");
                    AddOpened(d, w, archive);
                    auto bytes = archive.Bytes();
                    bytes[12] ^= 1; // the header word nobody reads: the same length, another header
                    WriteFileBytes(d / "src.pak", bytes);
                },
                PackProblem::SourceArchiveChanged, 2},
        Refusal{"SourceArchiveGone",
                [](const TempDir& d, Workspace& w) {
                    AddOpened(d, w, HandMadeArchive().Add("A.BIN", "a"));
                    std::filesystem::remove(d / "src.pak");
                },
                PackProblem::SourceUnreadable, 2},
        Refusal{"EntryDataOutsideItsArchive",
                [](const TempDir& d, Workspace& w) { AddOpened(d, w, HandMadeArchive().AddRaw("PAST.BIN", 500, 24)); },
                PackProblem::DataOutsideArchive, 2},
        Refusal{"BeyondTwoGigabytes",
                [](const TempDir& d, Workspace& w) {
                    File big = File::Open(d / "big", File::Mode::CreateNew);
                    big.Truncate(kMaxOffset - 30); // sparse: no disk space is taken
                    big.Close();
                    (void)w.AddFileEntry(d / "big");
                },
                PackProblem::TooLarge, 0}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

#ifndef _WIN32
// A target that cannot be rewritten in place without loss, reached through a link: refused before
// anything is written, naming it, and every file stays as it was. (The command-line tests meet the
// others: a pipe, a lock, hard links, an input that is the target itself.)
TEST(PackArchive, RefusesAReadOnlyTargetAndAFolderAndLeavesEveryFile) {
    for (const bool folder : {false, true}) {
        TempDir dir;
        WriteFileText(dir / "ok", "fine");
        if (folder) {
            std::filesystem::create_directory(dir / "real.pak");
        } else {
            WriteFileText(dir / "real.pak", "the user's old archive");
            std::filesystem::permissions(dir / "real.pak", std::filesystem::perms::owner_read);
        }
        std::filesystem::create_symlink("real.pak", dir / "out.pak");
        Workspace workspace;
        ASSERT_FALSE(workspace.AddFileEntry(dir / "ok"));
        const auto before = testing::SnapshotOf(dir.Path());
        NullProgress progress;
        try {
            PackArchive(workspace, dir / "out.pak", progress);
            ADD_FAILURE() << "the pack was not refused";
        } catch (const PackError& error) {
            EXPECT_EQ(error.Problem(), folder ? PackProblem::TargetNotAFile : PackProblem::TargetReadOnly);
            EXPECT_NE(std::string(error.what()).find("out.pak"), std::string::npos) << error.what();
        }
        EXPECT_EQ(testing::SnapshotOf(dir.Path()), before);
        EXPECT_TRUE(workspace.ArchivePath().empty());
    }
}

// Rewritten in place, the archive stays the file it was: a link stays a link and its target is
// rewritten in its own folder, with its permissions and, for a privileged run, its owner.
TEST(PackArchive, KeepsTheFileItRewritesThroughALinkWithItsModeAndOwner) {
    for (const auto mode : {0600u, 0755u, 0640u}) {
        SCOPED_TRACE(mode);
        TempDir dir;
        WriteFileText(dir / "ok", "fine");
        WriteFileText(dir / "elsewhere" / "real.pak", "the user's old archive");
        std::filesystem::create_symlink("elsewhere/real.pak", dir / "out.pak");
        ASSERT_EQ(::chmod((dir / "elsewhere" / "real.pak").c_str(), mode), 0);
        const bool privileged = ::geteuid() == 0;
        if (privileged) {
            ASSERT_EQ(::chown((dir / "elsewhere" / "real.pak").c_str(), 65534, 65534), 0);
        }
        Workspace workspace;
        ASSERT_FALSE(workspace.AddFileEntry(dir / "ok"));
        NullProgress progress;
        PackArchive(workspace, dir / "out.pak", progress);

        EXPECT_TRUE(std::filesystem::is_symlink(dir / "out.pak"));
        EXPECT_EQ(ReadArchiveBytes(ReadFileBytes(dir / "out.pak")).Contents(),
                  (std::map<std::string, std::string>{{"ok", "fine"}}));
        struct stat info {};
        ASSERT_EQ(::stat((dir / "elsewhere" / "real.pak").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
        if (privileged) {
            EXPECT_EQ(info.st_uid, 65534u);
            EXPECT_EQ(info.st_gid, 65534u);
        }
        EXPECT_EQ(FolderNames(dir / "elsewhere"), (std::vector<std::string>{"real.pak"}));
    }
}
#endif

TEST(PackArchive, ARefusalNamesEveryProblemOfTheListInListOrder) {
    TempDir dir;
    WriteFileText(dir / "ok", "fine");
    WriteFileText(dir / "gone", "x");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "ok"));
    workspace.AddFolderEntry(dir / "ok", std::wstring(41, L'A'), 4);
    ASSERT_FALSE(workspace.AddFileEntry(dir / "gone"));
    workspace.AddFolderEntry(dir / "ok", std::wstring(41, L'B'), 4);
    workspace.AddFolderEntry(dir / "gone", std::wstring(41, L'C'), 1);
    std::filesystem::remove(dir / "gone");
    // An entry with nothing to read, one whose data lies past its archive's end, and two of an archive
    // that changed after it was opened: that archive is named once, at its first entry.
    workspace.AddArchiveEntry(L"NOWHERE.BIN", 1, 24);
    AddOpened(dir, workspace, HandMadeArchive().AddRaw("PAST.BIN", 500, 24), "past.pak");
    AddOpened(dir, workspace, HandMadeArchive().Add("X.BIN", "x").Add("Y.BIN", "y"), "changed.pak");
    std::ofstream(dir / "changed.pak", std::ios::app | std::ios::binary) << "appended later";
    NullProgress progress;
    try {
        PackArchive(workspace, dir / "out.pak", progress);
        FAIL() << "the pack was not refused";
    } catch (const PackError& error) {
        std::vector<std::pair<std::size_t, PackProblem>> problems;
        for (const PackIssue& issue : error.Problems()) {
            problems.emplace_back(issue.position, issue.problem);
        }
        EXPECT_EQ(problems, (std::vector<std::pair<std::size_t, PackProblem>>{{2, PackProblem::NameTooLong},
                                                                              {3, PackProblem::SourceUnreadable},
                                                                              {4, PackProblem::NameTooLong},
                                                                              {5, PackProblem::NameTooLong},
                                                                              {5, PackProblem::SourceUnreadable},
                                                                              {6, PackProblem::NoSource},
                                                                              {7, PackProblem::DataOutsideArchive},
                                                                              {8, PackProblem::SourceArchiveChanged}}));
        EXPECT_EQ(error.Problems()[2].entryName, std::wstring(41, L'B'));
        EXPECT_EQ(error.Problems()[1].source, dir / "gone");
        EXPECT_FALSE(error.Problems()[1].fromArchive);
        EXPECT_TRUE(error.Problems()[1].error);
        const PackIssue& changed = error.Problems().back();
        EXPECT_TRUE(changed.fromArchive);
        EXPECT_EQ(changed.source, dir / "changed.pak");
        EXPECT_EQ(changed.entryName, L"X.BIN");
        EXPECT_NE(Describe(changed).find("X.BIN in "), std::string::npos) << Describe(changed);
    }
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"changed.pak", "ok", "past.pak"}));
}

TEST(PackArchive, ASourceThatFailsMidwayLeavesTheOldTargetAndNoTemporaryFile) {
    TempDir dir;
    Workspace workspace;
    for (const char* name : {"one", "two", "three"}) {
        WriteFileText(dir / name, std::string(100, name[0]));
        ASSERT_FALSE(workspace.AddFileEntry(dir / name));
    }
    WriteFileText(dir / "out.pak", "the user's old archive");
    ProgressRecorder progress;
    // While the contents are being copied, the last source loses its tail.
    progress.onBreathe = [&] {
        if (!progress.With("step CopyingContents").empty()) {
            WriteFileText(dir / "three", "short");
        }
    };
    try {
        PackArchive(workspace, dir / "out.pak", progress);
        FAIL() << "a short source was packed";
    } catch (const PackError& error) {
        EXPECT_EQ(error.Problem(), PackProblem::SourceShorter);
        EXPECT_EQ(error.Position(), 3u);
    }
    EXPECT_EQ(progress.events.back(), "close");
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"one", "out.pak", "three", "two"}));
    const auto old = ReadFileBytes(dir / "out.pak");
    EXPECT_EQ(std::string(old.begin(), old.end()), "the user's old archive");
    EXPECT_TRUE(workspace.MasterText(1, 3).empty());
    EXPECT_TRUE(workspace.ArchivePath().empty());
}

TEST(PackArchive, ALargeSourceCutShortWhileCopyingStopsThePack) {
    TempDir dir;
    WriteFileText(dir / "large", std::string(2 * 1024 * 1024, 'L'));
    WriteFileText(dir / "small", "s");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "small"));
    ASSERT_FALSE(workspace.AddFileEntry(dir / "large"));
    ProgressRecorder progress;
    progress.onBreathe = [&] {
        if (!progress.With("step CopyingContents").empty() &&
            progress.events[progress.events.size() - 2] == "items.done 1") {
            WriteFileText(dir / "large", std::string(1024 * 1024, 'L'));
        }
    };
    try {
        PackArchive(workspace, dir / "out.pak", progress);
        FAIL() << "a short source was packed";
    } catch (const PackError& error) {
        EXPECT_EQ(error.Problem(), PackProblem::SourceShorter);
        EXPECT_EQ(error.Position(), 2u);
    }
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"large", "small"}));
}

TEST(PackArchive, LeavesEveryFileOfTheTemporaryFormThatItDidNotCreate) {
    TempDir dir;
    WriteFileText(dir / "a", "a");
    WriteFileText(dir / "OTHER.PAK.quarrow-tmp-0123456789abcdef", "left by a killed pack");
    WriteFileText(dir / "notes.quarrow-tmp-mine", "a user's file of a similar name");
    Workspace workspace;
    ASSERT_FALSE(workspace.AddFileEntry(dir / "a"));
    NullProgress progress;
    PackArchive(workspace, dir / "out.pak", progress);
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"OTHER.PAK.quarrow-tmp-0123456789abcdef", "a",
                                                                 "notes.quarrow-tmp-mine", "out.pak"}));
}

} // namespace
} // namespace quarrow
