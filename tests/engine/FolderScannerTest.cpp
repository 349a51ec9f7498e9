#include "FolderScanner.hpp"

#include "ArchiveWriter.hpp"
#include "LinkedTree.hpp"
#include "ProgressRecorder.hpp"
#include "SystemPath.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quarrow {
namespace {

using testing::ProgressRecorder;
using testing::TempDir;
using testing::WriteFileText;

#ifdef _WIN32
bool IsHidden(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}
#endif

std::vector<std::wstring> StoredNames(const Workspace& workspace) {
    std::vector<std::wstring> names;
    for (std::size_t i = 1; i <= workspace.Count(); ++i) {
        names.push_back(workspace.MasterText(i, 4));
    }
    return names;
}

TEST(AddFolder, StoresUpperCaseRelativeNamesAndShowsTheOriginalFileName) {
    TempDir dir;
    WriteFileText(dir / "DATA" / "A.BIN", "aaaa");
    WriteFileText(dir / "DATA" / "SUB" / "b.txt", "bb");
    WriteFileText(dir / "DATA" / "Maps" / "Town.map", "t");
    Workspace workspace;
    NullProgress progress;
    EXPECT_EQ(AddFolder(workspace, dir / "DATA", progress).files, 3);
    EXPECT_EQ(StoredNames(workspace), (std::vector<std::wstring>{L"A.BIN", L"MAPS\\TOWN.MAP", L"SUB\\B.TXT"}));
    EXPECT_EQ(workspace.VisibleText(1, 1), L"A.BIN");
    EXPECT_EQ(workspace.VisibleText(1, 3), L"");
    EXPECT_EQ(workspace.VisibleText(3, 1), L"b.txt");
    EXPECT_EQ(workspace.VisibleText(3, 2), L"2");
    EXPECT_EQ(workspace.VisibleText(3, 3), L"SUB");
    EXPECT_EQ(workspace.MasterText(3, 1), WideFromPath(dir / "DATA" / "SUB" / "b.txt"));
}

TEST(AddFolder, DotDirectoriesAreNotEnteredButDotFilesAreAdded) {
    TempDir dir;
    WriteFileText(dir / ".git" / "config", "x");
    WriteFileText(dir / ".profile", "x");
    WriteFileText(dir / "keep" / ".hidden" / "inner", "x");
    Workspace workspace;
    NullProgress progress;
    AddFolder(workspace, dir.Path(), progress);
#ifdef _WIN32
    // Wine reports files whose name begins with "." as hidden, and hidden files are not added.
    if (IsHidden(dir / ".profile")) {
        EXPECT_TRUE(StoredNames(workspace).empty());
        return;
    }
#endif
    EXPECT_EQ(StoredNames(workspace), (std::vector<std::wstring>{L".PROFILE"}));
}

#ifdef _WIN32
TEST(AddFolder, HiddenAndSystemFilesAreSkippedButHiddenFoldersAreEntered) {
    TempDir dir;
    WriteFileText(dir / "hidden.bin", "h");
    WriteFileText(dir / "system.bin", "s");
    WriteFileText(dir / "shown.bin", "n");
    WriteFileText(dir / "secret" / "inner.bin", "i");
    SetFileAttributesW((dir / "hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((dir / "system.bin").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW((dir / "secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    if (!IsHidden(dir / "hidden.bin")) {
        GTEST_SKIP() << "this file system keeps no file attributes";
    }
    Workspace workspace;
    NullProgress progress;
    AddFolder(workspace, dir.Path(), progress);
    EXPECT_EQ(StoredNames(workspace), (std::vector<std::wstring>{L"SHOWN.BIN", L"SECRET\\INNER.BIN"}));
}
#endif

TEST(AddFolder, VisitsDirectoriesDepthFirstAndEveryLevelInCaseInsensitiveOrder) {
    TempDir dir;
    for (const char* file : {"b/z", "b/A", "B2/x", "a/y", "a/c/w", "root.TXT", "Root2", "_u"}) {
        WriteFileText(dir / file, "x");
    }
    FolderSearch search;
    search.path = dir.Path();
    std::vector<std::filesystem::path> directories;
    ScanReport report;
    ScanFolders(search, directories, report);
    EXPECT_EQ(directories, (std::vector<std::filesystem::path>{dir / "a", dir / "a" / "c", dir / "b", dir / "B2"}));
    EXPECT_EQ(search.counter, 4);

    Workspace workspace;
    NullProgress progress;
    AddFolder(workspace, dir.Path(), progress);
    EXPECT_EQ(StoredNames(workspace), (std::vector<std::wstring>{L"ROOT.TXT", L"ROOT2", L"_U", L"A\\Y", L"A\\C\\W",
                                                                 L"B\\A", L"B\\Z", L"B2\\X"}));
}

TEST(AddFolder, ReportsItsThreePhases) {
    TempDir dir;
    WriteFileText(dir / "one", "1");
    WriteFileText(dir / "two", "2");
    WriteFileText(dir / "sub" / "three", "3");
    std::filesystem::create_directories(dir / "empty");
    Workspace workspace;
    ProgressRecorder progress;
    AddFolder(workspace, dir.Path(), progress);
    EXPECT_EQ(progress.With("step "), (std::vector<std::string>{"SearchingFolders", "ListingFiles", "FilesListed"}));
    EXPECT_EQ(progress.With("stages.total "), (std::vector<std::string>{"3"}));
    EXPECT_EQ(progress.With("stages.done "), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(progress.With("items.total "), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(progress.With("items.done "), (std::vector<std::string>{"1", "2", "1"}));
    EXPECT_EQ(progress.With("item ").front(), "source=" + Utf8FromWide(WideFromPath(dir / "one")));
    EXPECT_EQ(progress.events.back(), "close");
}

TEST(AddFolder, AnEmptyFolderAddsNothing) {
    TempDir dir;
    Workspace workspace;
    NullProgress progress;
    EXPECT_EQ(AddFolder(workspace, dir.Path(), progress).files, 0);
    EXPECT_EQ(workspace.Count(), 0u);
}

TEST(AddFolder, AFolderEndingInASeparatorGivesTheSameNames) {
    TempDir dir;
    WriteFileText(dir / "x" / "y", "1");
    Workspace workspace;
    NullProgress progress;
    AddFolder(workspace, dir.Path() / "", progress);
    EXPECT_EQ(StoredNames(workspace), (std::vector<std::wstring>{L"X\\Y"}));
    EXPECT_EQ(workspace.MasterText(1, 1), WideFromPath(dir / "x" / "y"));
}

TEST(RelativeStoredName, RemovesTheBaseOnlyAtTheStart) {
#ifdef _WIN32
    EXPECT_EQ(RelativeStoredName(L"C:\\D", L"C:\\D\\X\\C:\\D\\F"), L"X\\C:\\D\\F");
    EXPECT_EQ(RelativeStoredName(L"C:\\", L"C:\\a.bin"), L"A.BIN");
    EXPECT_EQ(RelativeStoredName(L"C:", L"C:\\a\\b.bin"), L"A\\B.BIN") << "a bare drive is listed at its root";
    EXPECT_EQ(RelativeStoredName(L"\\\\server\\share", L"\\\\server\\share\\sub\\f"), L"SUB\\F");
#else
    EXPECT_EQ(RelativeStoredName(L"/d", L"/d/x/d/f"), L"X\\D\\F");
    EXPECT_EQ(RelativeStoredName(L"/", L"/a.bin"), L"A.BIN");
#endif
    // Upper case only where code page 936 has the letter: é has no É there, α has Α.
    const auto d = [](const wchar_t* name) { return PathFromWide(std::wstring(L"d") + kSystemSeparator + name); };
    EXPECT_EQ(RelativeStoredName("d", d(L"café.txt")), L"CAFé.TXT");
    EXPECT_EQ(RelativeStoredName("d", d(L"\u03B1.txt")), L"\u0391.TXT");
#ifndef _WIN32
    // A level that is no UTF-8 keeps its bytes where they are code page 936, and stays unstorable
    // (escaped) where they are not.
    EXPECT_EQ(RelativeStoredName("d", "d/\xCA\xFD\xBE\xDD/x"), L"\u6570\u636E\\X");
    EXPECT_TRUE(HasEscapedBytes(RelativeStoredName("d", "d/\xFF\xFE")));
#endif
}

TEST(AddFolder, FollowsLinksEntersEachFolderOnceAndReportsWhatItLeftOut) {
    TempDir dir;
    std::string refused;
    const auto linked = testing::MakeLinkedTree(dir.Path(), refused);
    if (!linked) {
        GTEST_SKIP() << "this system makes no symbolic links here: " << refused;
    }
    Workspace workspace;
    NullProgress progress;
    const FolderAdded added = AddFolder(workspace, linked->tree, progress);
    EXPECT_EQ(added.files, 4);
    EXPECT_EQ(StoredNames(workspace),
              (std::vector<std::wstring>{L"FILE-LINK", L"REAL.TXT", L"LINKED\\SECRET", L"LINKED\\DEEPER\\INNER"}));
    EXPECT_EQ(workspace.Entry(1).size, static_cast<std::int64_t>(testing::LinkedTree::kSecret.size()))
        << "the target's length, not the link's";

    const std::filesystem::path& tree = linked->tree;
    const auto below = [&](const char* relative) { return tree / relative; };
    ASSERT_EQ(added.report.unreachableLinks.size(), 1u);
    EXPECT_EQ(added.report.unreachableLinks[0].path, below("broken"));
    EXPECT_TRUE(added.report.unreachableLinks[0].error);
    ASSERT_EQ(added.report.repeatedFolders.size(), 2u);
    EXPECT_EQ(added.report.repeatedFolders[0].path, below("loop"));
    EXPECT_EQ(added.report.repeatedFolders[0].enteredAs, tree);
    EXPECT_EQ(added.report.repeatedFolders[1].path, below("zsub") / "again");
    EXPECT_EQ(added.report.repeatedFolders[1].enteredAs, below("linked"));

    // Packed, the linked file holds its target's bytes.
    PackArchive(workspace, dir / "linked.pak", progress);
    const auto archive = testing::ReadFileBytes(dir / "linked.pak");
    EXPECT_EQ(std::string(archive.begin() + 24, archive.begin() + 24 + testing::LinkedTree::kSecret.size()),
              testing::LinkedTree::kSecret);
}

} // namespace
} // namespace quarrow
