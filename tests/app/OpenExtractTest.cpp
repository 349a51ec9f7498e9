// Open and Extract: the open dialog and its ".PAK" rule, a file that is no archive, the entries of an
// archive in the list, and unpacking them into a chosen folder.

#include "MainWindowFixture.hpp"

#include "StatusTexts.hpp"

#include "Handles.hpp"

#include <commdlg.h>

#include <filesystem>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::HandMadeArchive;
using quarrow::testing::ReadFileBytes;

std::string ContentOf(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

using OpenCommand = MainWindowTest;

TEST_F(OpenCommand, AsksForAPakAndListsItsEntriesInIndexOrder) {
    const std::wstring archive = WriteArchive(L"DATA.PAK", ThreeEntryArchive());
    std::wstring stateWhileRunning;
    progress.onBreathe = [&] {
        if (stateWhileRunning.empty()) {
            stateWhileRunning = window.StatusText(kStatePanel);
        }
    };
    OpenArchive(archive);

    const dialogs::FileDialogRequest& request = dialogs.Requests().at(0).File;
    EXPECT_EQ(dialogs.Requests().at(0).Kind, dialogs::DialogKind::OpenFile);
    EXPECT_EQ(request.Owner, window.Handle());
    EXPECT_EQ(request.Title, L"打开PAK文件...");
    EXPECT_EQ(request.Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST));
    EXPECT_EQ(request.Filename, L"*.PAK");
    EXPECT_EQ(request.Filter, L"三国群英传II PAK档案(*.PAK)|*.PAK");
    EXPECT_EQ(request.FilterIndex, 1);

    ASSERT_EQ(window.workspace().Count(), 3u);
    EXPECT_EQ(window.lstFile().Count(), 3u);
    EXPECT_EQ(VisibleRow(1), (std::vector<std::wstring>{L"A.BMP", L"3", L"DATA\\IMG"}));
    EXPECT_EQ(MasterRow(1), (std::vector<std::wstring>{L"DATA\\IMG\\A.BMP", L"3", L"24", L"DATA\\IMG"}));
    EXPECT_EQ(VisibleRow(2), (std::vector<std::wstring>{L"B.TXT", L"5", L""}));
    EXPECT_EQ(VisibleRow(3), (std::vector<std::wstring>{L"C.DAT", L"4", L"三国"}));
    EXPECT_EQ(window.txtPAKName(), archive);
    EXPECT_TRUE(window.bSaved());

    EXPECT_EQ(progressOwners, (std::vector<HWND>{window.Handle()}));
    EXPECT_EQ(progress.events.front(), "show");
    EXPECT_EQ(progress.events.back(), "close");
    EXPECT_EQ(progress.With("items.text "), (std::vector<std::string>{"1 / 3", "2 / 3", "3 / 3"}));

    EXPECT_EQ(stateWhileRunning, L"开启中");
    EXPECT_EQ(window.StatusText(kElapsedPanel).rfind(L"载入时间：", 0), 0u) << window.StatusText(kElapsedPanel);
    EXPECT_TRUE(EndsWith(window.StatusText(kElapsedPanel), L" 秒"));
    EXPECT_EQ(window.StatusText(kStatePanel), L"开启完成！");
}

TEST_F(OpenCommand, WithEntriesEnablesExtractAndAppendAndGreysAddingWhilePackAndDeleteKeepTheirState) {
    WriteFile(L"one.txt", "1");
    AddFiles({L"one.txt"});
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 0})) << "after Add file";
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    EXPECT_EQ(States(), (SwitchedStates{0, 0, 4, 4, 0, 0}));

    for (const std::size_t row : {1, 2, 3}) {
        quarrow::testing::SelectRow(window.lstFile().Handle(), row);
    }
    window.Click(ToolbarButton::Del);
    EXPECT_EQ(States(), (SwitchedStates{0, 0, 4, 4, 0, 4}));
    dialogs.AnswerMessage(IDNO); // the deleted rows are not to be saved
    OpenArchive(PathOf(L"DATA.PAK"));
    EXPECT_EQ(States(), (SwitchedStates{0, 0, 4, 4, 0, 4})) << "Pack and Delete keep their state";

    window.Click(ToolbarButton::New);
    OpenArchive(PathOf(L"DATA.PAK"));
    EXPECT_EQ(States(), (SwitchedStates{4, 0, 4, 4, 0, 4})) << "Pack stays grey after New";
}

TEST_F(OpenCommand, AnArchiveWithoutEntriesLeavesAddingOpenAndExtractGrey) {
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    HandMadeArchive empty;
    OpenArchive(WriteArchive(L"EMPTY.PAK", empty));
    EXPECT_EQ(window.workspace().Count(), 0u);
    EXPECT_EQ(window.lstFile().Count(), 0u);
    EXPECT_EQ(States(), (SwitchedStates{4, 4, 0, 0, 0, 4}));
    EXPECT_EQ(window.txtPAKName(), PathOf(L"EMPTY.PAK"));
    EXPECT_EQ(window.StatusText(kStatePanel), L"开启完成！");
}

TEST_F(OpenCommand, ANameTypedWithoutPakOpensThatNameWithPakAppended) {
    const std::wstring archive = WriteArchive(L"GAME.PAK", ThreeEntryArchive());
    OpenArchive(PathOf(L"GAME"));
    EXPECT_EQ(window.txtPAKName(), archive);
    EXPECT_EQ(window.workspace().Count(), 3u);
}

TEST_F(OpenCommand, ATextFileNamedPakIsReportedAndNothingChanges) {
    WriteFile(L"one.txt", "1");
    AddFiles({L"one.txt"});
    const SwitchedStates before = States();
    const std::wstring notes = WriteFile(L"NOTES.PAK", "just some notes, not an archive\r\n");
    OpenArchive(notes, IDOK);

    const dialogs::RecordedRequest& message = LastRequest();
    ASSERT_EQ(message.Kind, dialogs::DialogKind::Message);
    EXPECT_EQ(message.Message.Text, notes + L" 不是有效PAK文件！");
    EXPECT_EQ(message.Message.Title, L"打开错误");
    EXPECT_EQ(message.Message.Style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(message.Message.Owner, window.Handle());

    EXPECT_EQ(window.workspace().Count(), 1u);
    EXPECT_EQ(VisibleRow(1)[0], L"one.txt");
    EXPECT_EQ(States(), before);
    EXPECT_EQ(window.txtPAKName(), L"");
    EXPECT_FALSE(window.bSaved());
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
    EXPECT_TRUE(progress.events.empty()) << "no progress window for a file that is no archive";
}

TEST_F(OpenCommand, AMissingFileAndADamagedIndexGetTheSameMessage) {
    OpenArchive(PathOf(L"MISSING.PAK"), IDOK);
    EXPECT_EQ(LastRequest().Message.Text, PathOf(L"MISSING.PAK") + L" 不是有效PAK文件！");

    HandMadeArchive damaged = ThreeEntryArchive();
    damaged.setCount = true;
    damaged.count = 1000; // an index running far past the end of the file
    OpenArchive(WriteArchive(L"DAMAGED.PAK", damaged), IDOK);
    EXPECT_EQ(LastRequest().Message.Text, PathOf(L"DAMAGED.PAK") + L" 不是有效PAK文件！");
    EXPECT_EQ(window.workspace().Count(), 0u);
}

TEST_F(OpenCommand, MemoryRunningOutWhileTheRowsAreMadeIsAFailedOpenThatKeepsEverything) {
    WriteFile(L"one.txt", "1");
    AddFiles({L"one.txt"});
    const SwitchedStates before = States();
    int breaths = 0;
    progress.onBreathe = [&] {
        if (++breaths == 2) {
            throw std::bad_alloc();
        }
    };
    const std::wstring archive = WriteArchive(L"BIG.PAK", ThreeEntryArchive());
    OpenArchive(archive, IDOK);

    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"打开错误");
    EXPECT_EQ(message.Text.rfind(archive, 0), 0u) << message.Text;
    EXPECT_TRUE(EndsWith(message.Text, L"目前的档案列表没有改变。")) << message.Text;
    ASSERT_EQ(window.workspace().Count(), 1u);
    EXPECT_EQ(VisibleRow(1)[0], L"one.txt");
    EXPECT_EQ(window.txtPAKName(), L"");
    EXPECT_EQ(States(), before);
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
}

TEST_F(OpenCommand, AnArchiveThatCannotBeReadIsNotCalledNoArchiveButSaysWhy) {
    const std::wstring archive = WriteArchive(L"LOCKED.PAK", ThreeEntryArchive());
    const win32::UniqueFileHandle lock(
        CreateFileW(archive.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock) << "another program holds the archive";
    OpenArchive(archive, IDOK);
    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"打开错误");
    EXPECT_EQ(message.Text.rfind(archive + L" 无法读取！\r\n", 0), 0u) << message.Text;
    EXPECT_GT(message.Text.size(), archive.size() + 8) << "with the system's reason";
    EXPECT_EQ(window.workspace().Count(), 0u);
}

TEST_F(OpenCommand, ACancelledDialogChangesNothing) {
    OpenArchive(L"");
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
    EXPECT_EQ(States(), (SwitchedStates{4, 4, 0, 0, 4, 4}));
}

using ExtractCommand = MainWindowTest;

TEST_F(ExtractCommand, WritesEveryEntryBelowTheChosenFolderAndReportsTheTime) {
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    const SwitchedStates before = States();
    const std::filesystem::path out = dir.Path() / L"out";
    std::filesystem::create_directories(out);
    std::wstring stateWhileRunning;
    progress.onBreathe = [&] { stateWhileRunning = window.StatusText(kStatePanel); };
    Extract(WideFromPath(out));

    const dialogs::RecordedRequest& browse = LastRequest();
    ASSERT_EQ(browse.Kind, dialogs::DialogKind::Folder);
    EXPECT_EQ(browse.Folder.Title, L"Please select a folder:");
    EXPECT_EQ(browse.Folder.Owner, window.Handle());
    EXPECT_TRUE(browse.Folder.FileSystemOnly);
    EXPECT_TRUE(browse.Folder.StatusText);
    EXPECT_TRUE(browse.Folder.EditBox);
    EXPECT_TRUE(browse.Folder.UseNewUI);

    EXPECT_EQ(ContentOf(out / L"DATA" / L"IMG" / L"A.BMP"), "abc");
    EXPECT_EQ(ContentOf(out / L"B.TXT"), "hello");
    EXPECT_EQ(ContentOf(out / L"三国" / L"C.DAT"), "xyz!");
    EXPECT_EQ(window.txtFolder(), WideFromPath(out));
    EXPECT_EQ(stateWhileRunning, L"解包中");
    EXPECT_EQ(window.StatusText(kElapsedPanel).rfind(L"解包时间：", 0), 0u);
    EXPECT_EQ(window.StatusText(kStatePanel), L"解包完成！");
    EXPECT_EQ(States(), before) << "Extract switches no button";
    EXPECT_EQ(progress.With("status ").back(), "3 档案解包完成！");
}

TEST_F(ExtractCommand, AHostileEntryIsSkippedAndNamedWhileTheRestIsWritten) {
    HandMadeArchive hostile;
    hostile.Add("..\\EVIL.TXT", "gotcha");
    hostile.Add("GOOD.TXT", "fine");
    OpenArchive(WriteArchive(L"HOSTILE.PAK", hostile));
    const std::filesystem::path out = dir.Path() / L"out";
    std::filesystem::create_directories(out);
    Extract(WideFromPath(out), IDOK);

    EXPECT_EQ(ContentOf(out / L"GOOD.TXT"), "fine");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / L"EVIL.TXT")) << "nothing outside the chosen folder";
    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"解包");
    EXPECT_EQ(message.Style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_NE(message.Text.find(L"已解包 1 个档案"), std::wstring::npos) << message.Text;
    EXPECT_NE(message.Text.find(L"第 1 个档案“..\\EVIL.TXT”"), std::wstring::npos) << message.Text;
    EXPECT_EQ(window.StatusText(kStatePanel), L"解包完成！") << "the status still tells what was done";
}

TEST_F(ExtractCommand, AnArchiveGoneSinceItWasOpenedIsReportedAndTheStatusPutBack) {
    const std::wstring archive = WriteArchive(L"DATA.PAK", ThreeEntryArchive());
    OpenArchive(archive);
    const std::wstring elapsedBefore = window.StatusText(kElapsedPanel);
    std::filesystem::remove(PathFromWide(archive));
    Extract(WideFromPath(dir.Path()), IDOK);
    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"解包错误");
    EXPECT_EQ(message.Text.rfind(archive + L" 无法读取！", 0), 0u) << message.Text;
    EXPECT_EQ(window.StatusText(kStatePanel), L"开启完成！");
    EXPECT_EQ(window.StatusText(kElapsedPanel), elapsedBefore);
}

TEST_F(ExtractCommand, ACancelledBrowseExtractsNothing) {
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    progress.events.clear();
    Extract(L"");
    EXPECT_TRUE(progress.events.empty());
    EXPECT_EQ(window.txtFolder(), L"");
    EXPECT_EQ(window.StatusText(kStatePanel), L"开启完成！");
}

TEST_F(ExtractCommand, IsGreyUntilAnArchiveWithEntriesIsOpen) {
    window.Click(ToolbarButton::Extract); // a grey button raises no click: nothing is asked
    EXPECT_TRUE(dialogs.Requests().empty());
}

} // namespace
} // namespace quarrow::app::testing
