// quarrow-cli's commands that pick entries by name or change an archive: extract with names, update and
// delete, judged by a reader that shares no code with the engine and against a fresh pack of the same
// entries.
#include "ExampleArchive.hpp"
#include "HandMadeArchive.hpp"
#include "HostPath.hpp"
#include "IndependentReader.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace quarrow {
namespace {

using testing::HandMadeArchive;
using testing::ProgramRun;
using testing::ReadArchiveBytes;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;
using testing::WriteFileText;
using Contents = std::map<std::string, std::string>;

class EditingCli : public ::testing::Test {
protected:
    TempDir dir;

    ProgramRun Run(const std::vector<std::string>& arguments) {
        return testing::RunProgram(testing::HostPath(QUARROW_CLI_PATH), arguments, dir.Path());
    }
    std::string Bytes(const std::string& name) {
        const auto bytes = ReadFileBytes(dir / name);
        return std::string(bytes.begin(), bytes.end());
    }
    testing::ReadArchive Read(const std::string& name) { return ReadArchiveBytes(ReadFileBytes(dir / name)); }
    std::vector<std::string> Names(const std::string& archive) {
        std::vector<std::string> names;
        for (const auto& entry : Read(archive).entries) {
            names.push_back(entry.Name());
        }
        return names;
    }
    // Every file below a folder of the test's: "/" between levels, to its content.
    Contents Tree(const std::string& folder) {
        Contents files;
        for (const auto& item : std::filesystem::recursive_directory_iterator(dir / folder)) {
            if (item.is_regular_file()) {
                const auto bytes = ReadFileBytes(item.path());
                files[item.path().lexically_relative(dir / folder).generic_string()] =
                    std::string(bytes.begin(), bytes.end());
            }
        }
        return files;
    }
    void WriteTree(const std::string& folder, const Contents& files) {
        for (const auto& [name, content] : files) {
            WriteFileText(dir / folder / name, content);
        }
    }
};

TEST_F(EditingCli, UpdateReplacesInPlaceAddsBehindAndWritesWhatAFreshPackOfTheResultWrites) {
    WriteTree("game", {{"a.txt", "alpha"}, {"c.dat", "charlie"}, {"Sub/b.bin", std::string(70000, 'b')}});
    ASSERT_EQ(Run({"pack", "game.pak", "game"}).exitCode, 0);
    const std::string before = Bytes("game.pak");
    WriteTree("mine", {{"A.txt", "alpha, new"}, {"extra.txt", "extra"}});
    WriteTree("mod", {{"sub/B.BIN", "bravo, new"}, {"NEW.BIN", "new"}});

    // A file matches by its name whatever its case; a folder's files by their path in it.
    const ProgramRun update = Run({"update", "game.pak", "-o", "out.pak", "mine/A.txt", "mod", "mine/extra.txt"});
    ASSERT_EQ(update.exitCode, 0) << update.err;
    EXPECT_EQ(update.out + update.err, "");
    EXPECT_EQ(Bytes("game.pak"), before);

    const auto updated = Read("out.pak");
    EXPECT_EQ(Names("out.pak"), (std::vector<std::string>{"A.TXT", "C.DAT", "SUB\\B.BIN", "NEW.BIN", "extra.txt"}));
    EXPECT_EQ(updated.Contents(), (Contents{{"A.TXT", "alpha, new"},
                                            {"C.DAT", "charlie"},
                                            {"SUB\\B.BIN", "bravo, new"},
                                            {"NEW.BIN", "new"},
                                            {"extra.txt", "extra"}}));
    // The same entries packed afresh: the replaced ones in a tree of their own, then the added ones.
    WriteTree("merged", {{"a.txt", "alpha, new"}, {"c.dat", "charlie"}, {"Sub/b.bin", "bravo, new"}});
    WriteTree("added", {{"NEW.BIN", "new"}});
    ASSERT_EQ(Run({"pack", "fresh.pak", "merged", "added", "mine/extra.txt"}).exitCode, 0);
    EXPECT_EQ(Bytes("out.pak"), Bytes("fresh.pak"));

    const ProgramRun extract = Run({"extract", "out.pak", "out"});
    EXPECT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(Tree("out"), (Contents{{"A.TXT", "alpha, new"},
                                     {"C.DAT", "charlie"},
                                     {"SUB/B.BIN", "bravo, new"},
                                     {"NEW.BIN", "new"},
                                     {"extra.txt", "extra"}}));
}

TEST_F(EditingCli, UpdateInPlaceReplacesEveryEntryOfARepeatedNameAsTheArchiveSpellsIt) {
    HandMadeArchive archive;
    archive.Add("Data\\x.bin", "old one").Add(std::string("KEEP.BIN\0tail", 13), "kept").Add("Data\\x.bin", "old two");
    WriteFileBytes(dir / "game.pak", archive.Bytes());
    WriteTree("mod", {{"DATA/X.BIN", "new"}});

    const ProgramRun update = Run({"update", "game.pak", "mod"});
    ASSERT_EQ(update.exitCode, 0) << update.err;
    const auto updated = Read("game.pak");
    ASSERT_EQ(updated.entries.size(), 3u);
    EXPECT_EQ(updated.entries[0].Name(), "Data\\x.bin");
    EXPECT_EQ(updated.entries[0].data, "new");
    EXPECT_EQ(updated.entries[1].nameField, std::string("KEEP.BIN\0tail", 13) + std::string(27, '\0'));
    EXPECT_EQ(updated.entries[1].data, "kept");
    EXPECT_EQ(updated.entries[2].data, "new");
    EXPECT_EQ(Tree("."), (Contents{{"game.pak", Bytes("game.pak")}, {"mod/DATA/X.BIN", "new"}}));
}

TEST_F(EditingCli, ExtractWritesTheNamedEntriesAndNamesEachNameThatMatchesNothing) {
    HandMadeArchive archive;
    archive.Add("A.TXT", "first").Add("DATA\\B.TXT", "b").Add("C.TXT", "c").Add("A.TXT", "second").Add("..\\UP", "u");
    WriteFileBytes(dir / "game.pak", archive.Bytes());

    const ProgramRun extract = Run({"extract", "game.pak", "out", "a.txt", "data/b.TXT", "nothing", "..\\up"});
    EXPECT_EQ(extract.exitCode, 1);
    EXPECT_EQ(extract.out, "");
    EXPECT_EQ(extract.err, "quarrow-cli: no entry of game.pak is named nothing\n"
                           "quarrow-cli: skipped entry 5 (..\\UP): the stored name climbs out of the destination "
                           "with \"..\"\n");
    EXPECT_EQ(Tree("out"), (Contents{{"A.TXT", "second"}, {"DATA/B.TXT", "b"}}));

    const ProgramRun none = Run({"extract", "game.pak", "none", "nothing"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "none"));
}

TEST_F(EditingCli, DeleteRemovesEveryEntryOfTheNamesAndRefusesWhollyWhenANameMatchesNothing) {
    HandMadeArchive archive;
    archive.Add("A.TXT", "a").Add("DATA\\B.TXT", "b").Add("C.TXT", "c").Add("data\\b.txt", "b again");
    WriteFileBytes(dir / "game.pak", archive.Bytes());
    const std::string before = Bytes("game.pak");

    const ProgramRun refused = Run({"delete", "game.pak", "a.txt", "nothing"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "quarrow-cli: no entry of game.pak is named nothing\n"
                           "quarrow-cli: nothing was deleted; game.pak was not written\n");
    EXPECT_EQ(Bytes("game.pak"), before);

    const ProgramRun removed = Run({"delete", "game.pak", "-o", "out.pak", "Data/B.txt"});
    EXPECT_EQ(removed.exitCode, 0) << removed.err;
    EXPECT_EQ(Read("out.pak").Contents(), (Contents{{"A.TXT", "a"}, {"C.TXT", "c"}}));
    EXPECT_EQ(Bytes("game.pak"), before);

    // Deleting every entry leaves a valid archive of none, as list, check and update accept.
    const ProgramRun everything = Run({"delete", "out.pak", "A.TXT", "C.TXT"});
    EXPECT_EQ(everything.exitCode, 0) << everything.err;
    EXPECT_EQ(Read("out.pak").entries.size(), 0u);
    EXPECT_EQ(Run({"check", "out.pak"}).exitCode, 0);
}

TEST_F(EditingCli, ContentAppendedBehindTheIndexIsDroppedOnlyWhenAskedFor) {
    WriteFileBytes(dir / "game.pak", testing::ExampleArchiveBytes());
    WriteFileText(dir / "ten", "ABCDEFGHIJ");
    ASSERT_EQ(Run({"append", "game.pak", "ten"}).exitCode, 0);
    const std::string appended = Bytes("game.pak");
    const std::string range = "bytes 177 to 188 (B1h - BCh)"; // the line break before the file included

    for (const auto& arguments : std::vector<std::vector<std::string>>{{"update", "game.pak", "ten"},
                                                                       {"update", "game.pak", "-o", "o.pak", "ten"},
                                                                       {"delete", "game.pak", "B.TXT"}}) {
        const ProgramRun refused = Run(arguments);
        EXPECT_EQ(refused.exitCode, 1) << arguments[0];
        EXPECT_NE(refused.err.find("game.pak holds bytes that are neither header, index nor an entry's data, " + range),
                  std::string::npos)
            << refused.err;
        EXPECT_EQ(Bytes("game.pak"), appended);
        EXPECT_FALSE(std::filesystem::exists(dir / "o.pak"));
    }
    const ProgramRun check = Run({"check", "game.pak"});
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_NE(check.out.find(range), std::string::npos) << check.out;

    const ProgramRun dropped = Run({"delete", "game.pak", "--drop-appended", "b.txt"});
    EXPECT_EQ(dropped.exitCode, 0) << dropped.err;
    const auto rewritten = Read("game.pak");
    EXPECT_EQ(rewritten.Contents(), (Contents{{"a.bin", "0123456789"}}));
    EXPECT_EQ(rewritten.fileSize, 49u + 64u);
    EXPECT_EQ(Run({"check", "game.pak"}).out, "");
}

// diff pairs entries as update does and compares their bytes; the folder of its --extract, applied
// to the old archive by update, gives it every added and changed entry of the new one.
TEST_F(EditingCli, DiffNamesEachDifferenceAndItsFolderTurnsOldIntoNew) {
    HandMadeArchive older;
    older.Add("A.BIN", "same").Add("DATA\\B.BIN", "b").Add("C.BIN", "c").Add("d.bin", "d").Add("F.BIN", "gone");
    WriteFileBytes(dir / "old.pak", older.Bytes());
    HandMadeArchive newer;
    newer.Add("E.BIN", "added").Add("A.BIN", "same").Add("data\\b.bin", "longer").Add("C.BIN", "x").Add("D.BIN", "d");
    WriteFileBytes(dir / "new.pak", newer.Bytes());
    WriteFileBytes(dir / "appended.pak", older.Bytes());
    WriteFileText(dir / "tail", "tail");
    ASSERT_EQ(Run({"append", "appended.pak", "tail"}).exitCode, 0);

    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string out;
    };
    const Case cases[] = {
        {{"diff", "old.pak", "new.pak", "--extract", "ship"}, 1, "A E.BIN\nM data\\b.bin\nM C.BIN\nS D.BIN\nD F.BIN\n"},
        {{"diff", "old.pak", "old.pak"}, 0, ""},
        {{"diff", "old.pak", "appended.pak"}, 1, "A APPENDED\n"},
        {{"diff", "appended.pak", "old.pak"}, 1, "D APPENDED\n"},
        {{"diff", "old.pak", "missing.pak"}, 2, ""},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << ::testing::PrintToString(c.arguments) << run.err;
        EXPECT_EQ(run.out, c.out) << ::testing::PrintToString(c.arguments);
    }
    EXPECT_EQ(Tree("ship"), (Contents{{"E.BIN", "added"}, {"data/b.bin", "longer"}, {"C.BIN", "x"}}));

    ASSERT_EQ(Run({"update", "old.pak", "-o", "applied.pak", "ship"}).exitCode, 0);
    const ProgramRun applied = Run({"diff", "new.pak", "applied.pak"});
    // What the old archive had beside the new one stays: its removed entry, its own spelling.
    EXPECT_EQ(applied.out, "S DATA\\B.BIN\nS d.bin\nA F.BIN\n");
    const auto entries = Read("applied.pak").Contents();
    EXPECT_EQ(entries, (Contents{{"A.BIN", "same"},
                                 {"DATA\\B.BIN", "longer"},
                                 {"C.BIN", "x"},
                                 {"d.bin", "d"},
                                 {"F.BIN", "gone"},
                                 {"E.BIN", "added"}}));
}

// Every byte a rewrite would drop is named, wherever it lies; an index before its data drops nothing.
TEST_F(EditingCli, BytesOutsideHeaderIndexAndDataAreNamedWhereverTheyLie) {
    struct Layout {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::string ranges; // empty: nothing is dropped
    };
    HandMadeArchive gap;
    gap.Add("A.BIN", "aaa");
    gap.data += "gap";
    gap.Add("B.BIN", "bbb");
    HandMadeArchive empty;
    auto behindEmptyIndex = empty.Bytes();
    behindEmptyIndex.insert(behindEmptyIndex.end(), {'t', 'a', 'i', 'l'});
    HandMadeArchive before;
    before.AddRaw("A.BIN", 3, 24 + 128).AddRaw("B.BIN", 3, 24 + 128 + 3);
    auto indexFirst = before.Bytes();
    indexFirst.insert(indexFirst.end(), {'a', 'a', 'a', 'b', 'b', 'b'});
    HandMadeArchive both = gap;
    auto gapAndTail = both.Bytes();
    gapAndTail.push_back('!');
    for (const Layout& layout : {Layout{"gap", gap.Bytes(), "bytes 27 to 29 (1Bh - 1Dh)"},
                                 Layout{"behind an empty index", behindEmptyIndex, "bytes 24 to 27 (18h - 1Bh)"},
                                 Layout{"gap and tail", gapAndTail, "bytes 27 to 29 (1Bh - 1Dh), bytes 161 to 161"},
                                 Layout{"index before data", indexFirst, ""}}) {
        SCOPED_TRACE(layout.name);
        WriteFileBytes(dir / "x.pak", layout.bytes);
        const ProgramRun run = Run({"delete", "x.pak", "-o", "y.pak", "B.BIN"});
        if (layout.ranges.empty()) {
            EXPECT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(Read("y.pak").Contents(), (Contents{{"A.BIN", "aaa"}}));
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.err.find(layout.ranges), std::string::npos) << run.err;
            EXPECT_FALSE(std::filesystem::exists(dir / "y.pak"));
        }
        std::filesystem::remove(dir / "y.pak");
    }
}

// DATA\X.BIN, DATA\\X.BIN and \DATA\X.BIN extract to one file, so they are one name to every command;
// two inputs of one update that would be stored under one name are refused, both named.
TEST_F(EditingCli, NamesThatExtractToOneFileAreOneName) {
    HandMadeArchive archive;
    archive.Add("DATA\\X.BIN", "one").Add("\\DATA\\X.BIN", "two").Add("DATA\\\\X.BIN", "three").Add("KEEP", "k");
    WriteFileBytes(dir / "x.pak", archive.Bytes());
    EXPECT_NE(Run({"check", "x.pak"}).out.find("entries 1, 2 and 3"), std::string::npos) << Run({"check", "x.pak"}).out;
    ASSERT_EQ(Run({"delete", "x.pak", "-o", "y.pak", "DATA/X.BIN"}).exitCode, 0);
    EXPECT_EQ(Read("y.pak").Contents(), (Contents{{"KEEP", "k"}}));

    WriteFileText(dir / "d1" / "X.BIN", "first");
    WriteFileText(dir / "d2" / "x.bin", "second");
    const ProgramRun clash = Run({"update", "y.pak", "d1/X.BIN", "d2/x.bin"});
    EXPECT_EQ(clash.exitCode, 1);
    EXPECT_NE(clash.err.find("cannot add both d1/X.BIN and d2/x.bin"), std::string::npos) << clash.err;
    EXPECT_EQ(Read("y.pak").Contents(), (Contents{{"KEEP", "k"}}));
}

} // namespace
} // namespace quarrow
