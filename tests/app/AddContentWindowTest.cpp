// The append-content window: one modeless instance over the main window, its list of chosen files
// (each path once, whatever its case), Delete, Start appending to the current archive with the address
// ranges shown afterwards, and the ways it closes.

#include "MainWindowFixture.hpp"

#include "ModalWindow.hpp"
#include "WindowFacts.hpp"
#include "dlgAddContent.hpp"

#include "MessagePump.hpp"

#include <commdlg.h>

#include <filesystem>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::ClientSize;
using quarrow::testing::ReadFileBytes;
using quarrow::testing::RectInParent;
using quarrow::testing::WindowText;

using Control = AddContentControl;

std::vector<std::uint8_t> WithText(std::vector<std::uint8_t> bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

class AddContentWindow : public MainWindowTest {
protected:
    // The current archive: the example archive, as packing its two files gives it.
    void SetUp() override {
        AddFiles(WriteExampleFiles());
        Pack(PathOf(L"EXAMPLE.PAK"));
        archive = PathOf(L"EXAMPLE.PAK");
        original = ReadFileBytes(PathFromWide(archive));
        ASSERT_EQ(original, quarrow::testing::ExampleArchiveBytes());
        progress.events.clear();
        progressOwners.clear();
    }

    dlgAddContent& Open() {
        window.Click(ToolbarButton::AddContent);
        dlgAddContent* opened = window.AddContentWindow();
        if (!opened) {
            throw std::logic_error("the append-content window did not open");
        }
        return *opened;
    }
    dlgAddContent& Shown() { return *window.AddContentWindow(); }

    void Press(Control control) { SendMessageW(Shown().Control(control), BM_CLICK, 0, 0); }
    bool Enabled(Control control) { return IsWindowEnabled(Shown().Control(control)) != FALSE; }
    // The browse button with the names chosen in the test's folder; none cancels.
    void Browse(const std::vector<std::wstring>& names, std::optional<int> thenMessage = std::nullopt) {
        dialogs.AnswerOpenFiles(dialogs::FileSelection{names.empty() ? L"" : WideFromPath(dir.Path()), names});
        if (thenMessage) {
            dialogs.AnswerMessage(*thenMessage);
        }
        Press(Control::cmdBrowse);
    }
    std::vector<std::wstring> Column(int column) {
        std::vector<std::wstring> cells;
        for (std::size_t row = 1; row <= Shown().lstFile().Count(); ++row) {
            cells.push_back(quarrow::testing::ShownCell(Shown().lstFile().Handle(), row, column));
        }
        return cells;
    }
    std::wstring SizeHeader() { return Shown().lstFile().ColumnHeader(2); }
    void SelectAll() {
        for (std::size_t row = 1; row <= Shown().lstFile().Count(); ++row) {
            quarrow::testing::SelectRow(Shown().lstFile().Handle(), row);
        }
    }

    std::wstring archive;
    std::vector<std::uint8_t> original;
};

TEST_F(AddContentWindow, OpensModelessOverTheMainWindowWithItsLayout) {
    const dlgAddContent& shown = Open();
    const HWND handle = shown.Handle();
    EXPECT_EQ(WindowText(handle), L"附加档案内容");
    EXPECT_EQ(ClientSize(handle).cx, 561);
    EXPECT_EQ(ClientSize(handle).cy, 337);
    EXPECT_EQ(GetWindow(handle, GW_OWNER), window.Handle());
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_TRUE(IsWindowEnabled(window.Handle())) << "modeless: the main window stays usable";
    EXPECT_EQ(GetWindowLongPtrW(handle, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
    EXPECT_NE(SendMessageW(handle, WM_GETICON, ICON_BIG, 0), 0);
    RECT frame{};
    RECT mainFrame{};
    GetWindowRect(handle, &frame);
    GetWindowRect(window.Handle(), &mainFrame);
    EXPECT_NEAR(frame.left + frame.right, mainFrame.left + mainFrame.right, 2) << "centred on the main window";
    EXPECT_NEAR(frame.top + frame.bottom, mainFrame.top + mainFrame.bottom, 2);

    struct Expected {
        Control control;
        const wchar_t* text;
        RECT at;
        bool enabled;
    };
    const Expected controls[] = {
        {Control::fraFiles, L"选择档案", {8, 8, 553, 297}, true},
        {Control::cmdBrowse, L"选择档案", {464, 32, 545, 57}, true},
        {Control::cmdDel, L"删除档案", {464, 72, 545, 97}, false},
        {Control::cmdStart, L"打包", {376, 304, 457, 329}, false},
        {Control::cmdCancel, L"取消", {472, 304, 553, 329}, true},
    };
    for (const Expected& e : controls) {
        const HWND control = shown.Control(e.control);
        EXPECT_EQ(WindowText(control), e.text);
        const RECT at = RectInParent(control);
        EXPECT_TRUE(EqualRect(&at, &e.at)) << Utf8FromWide(e.text) << " at " << at.left << "," << at.top;
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, e.enabled) << Utf8FromWide(e.text);
    }
    const RECT list = RectInParent(Shown().lstFile().Handle());
    const RECT expectedList{16, 32, 457, 289};
    EXPECT_TRUE(EqualRect(&list, &expectedList));
    EXPECT_EQ(Shown().lstFile().ColumnHeader(1), L"档案名字");
    EXPECT_EQ(SizeHeader(), L"档案大小（b）");
    EXPECT_EQ(ListView_GetColumnWidth(Shown().lstFile().Handle(), 0), 307);
    EXPECT_EQ(ListView_GetColumnWidth(Shown().lstFile().Handle(), 1), 96);
    EXPECT_EQ(Shown().lstFile().Count(), 0u);
    EXPECT_FALSE(Shown().bResultsShown());
}

TEST_F(AddContentWindow, ListsEachPathOnceWhateverItsCaseButNeverTakesOnePathForThePrefixOfAnother) {
    WriteFile(L"B.DAT", "1234");
    WriteFile(L"B.DAT.BAK", "123456");
    Open();
    Browse({L"B.DAT.BAK"});
    const dialogs::RecordedRequest& request = LastRequest();
    EXPECT_EQ(request.File.Owner, Shown().Handle());
    EXPECT_EQ(request.File.Title, L"增加档案...");
    EXPECT_EQ(request.File.Filter, L"所有类型档案(*.*)|*.*");
    EXPECT_EQ(request.File.Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT));
    Browse({L"B.DAT", L"B.DAT"});
    Browse({L"b.dat", L"b.DAT.bak"});
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{PathOf(L"B.DAT.BAK"), PathOf(L"B.DAT")}));
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"6", L"4"}));
    EXPECT_TRUE(Enabled(Control::cmdStart) && Enabled(Control::cmdDel));

    // The other way round, on a fresh list.
    SelectAll();
    Press(Control::cmdDel);
    Browse({L"B.DAT"});
    Browse({L"B.DAT.BAK"});
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{PathOf(L"B.DAT"), PathOf(L"B.DAT.BAK")}));
}

TEST_F(AddContentWindow, AFileThatCannotBeReadIsReportedAndNotAdded) {
    WriteFile(L"there.bin", "x");
    Open();
    Browse({L"gone.bin", L"there.bin"}, IDOK);
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{PathOf(L"there.bin")}));
    const dialogs::RecordedRequest& message = LastRequest();
    ASSERT_EQ(message.Kind, dialogs::DialogKind::Message);
    EXPECT_EQ(message.Message.Owner, Shown().Handle());
    EXPECT_EQ(message.Message.Title, L"增加档案");
    EXPECT_NE(message.Message.Text.find(PathOf(L"gone.bin")), std::wstring::npos);
}

TEST_F(AddContentWindow, DeleteRemovesTheSelectedRowsAndAnEmptyListDisablesStartAndDelete) {
    for (const wchar_t* name : {L"1.bin", L"2.bin", L"3.bin"}) {
        WriteFile(name, "x");
    }
    Open();
    Browse({L"1.bin", L"2.bin", L"3.bin"});
    quarrow::testing::SelectRow(Shown().lstFile().Handle(), 1);
    quarrow::testing::SelectRow(Shown().lstFile().Handle(), 3);
    Press(Control::cmdDel);
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{PathOf(L"2.bin")}));
    EXPECT_TRUE(Enabled(Control::cmdStart) && Enabled(Control::cmdDel));
    EXPECT_EQ(GetFocus(), Shown().lstFile().Handle());

    SelectAll();
    SendMessageW(Shown().lstFile().Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_TRUE(Column(1).empty()) << "the Delete key deletes as the button does";
    EXPECT_FALSE(Enabled(Control::cmdStart));
    EXPECT_FALSE(Enabled(Control::cmdDel));
    Browse({});
    EXPECT_FALSE(Enabled(Control::cmdStart)) << "a cancelled browse leaves the empty list as it was";
}

TEST_F(AddContentWindow, StartAppendsEachFileBehindTheArchiveAndShowsWhereItLanded) {
    WriteFile(L"ten", "ABCDEFGHIJ");
    WriteFile(L"four", "wxyz");
    Open();
    Browse({L"ten", L"four"});
    const SwitchedStates statesBefore = States();
    const std::wstring stateText = window.StatusText(3);
    Press(Control::cmdStart);

    EXPECT_EQ(ReadFileBytes(PathFromWide(archive)), WithText(original, "\r\nABCDEFGHIJ\r\nwxyz"));
    EXPECT_EQ(SizeHeader(), L"写入地址");
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"B3h - BCh", L"BFh - C2h"}));
    EXPECT_TRUE(Shown().bResultsShown());
    EXPECT_EQ(progressOwners, (std::vector<HWND>{Shown().Handle()})) << "the progress window is the append window's";
    EXPECT_EQ(progress.events.front(), "show");
    EXPECT_EQ(progress.events.back(), "close");
    EXPECT_EQ(progress.With("stages.visible "), (std::vector<std::string>{"0"}));
    EXPECT_EQ(progress.With("items.text "), (std::vector<std::string>{"50%", "100%"}));
    EXPECT_EQ(window.workspace().Count(), 2u) << "nothing in the main window changes";
    EXPECT_EQ(States(), statesBefore);
    EXPECT_EQ(window.StatusText(3), stateText);

    // A second run takes each length from the file as it is now.
    WriteFile(L"ten", "abc");
    Press(Control::cmdStart);
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"C5h - C7h", L"CAh - CDh"}));
    EXPECT_EQ(ReadFileBytes(PathFromWide(archive)), WithText(original, "\r\nABCDEFGHIJ\r\nwxyz\r\nabc\r\nwxyz"));
}

TEST_F(AddContentWindow, AConfirmedBrowseAfterARunStartsAFreshListAndACancelledOneKeepsTheResults) {
    WriteFile(L"one", "1");
    WriteFile(L"two", "22");
    WriteFile(L"empty", "");
    Open();
    Browse({L"one", L"empty"});
    Press(Control::cmdStart);
    Browse({});
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"B3h - B3h", L"B6h（0 字节）"}));
    EXPECT_EQ(SizeHeader(), L"写入地址");

    Browse({L"two", L"one"});
    EXPECT_EQ(Column(1), (std::vector<std::wstring>{PathOf(L"two"), PathOf(L"one")}));
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"2", L"1"}));
    EXPECT_EQ(SizeHeader(), L"档案大小（b）");
    EXPECT_FALSE(Shown().bResultsShown());
}

TEST_F(AddContentWindow, AFileGoneBeforeStartIsReportedAndTheOthersTakeItsPlace) {
    WriteFile(L"gone", "xyz");
    WriteFile(L"one", "1");
    Open();
    Browse({L"gone", L"one"});
    std::filesystem::remove(dir / "gone");
    dialogs.AnswerMessage(IDOK);
    Press(Control::cmdStart);
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"未写入", L"B3h - B3h"}));
    EXPECT_EQ(ReadFileBytes(PathFromWide(archive)), WithText(original, "\r\n1"));
    const dialogs::RecordedRequest& message = LastRequest();
    EXPECT_EQ(message.Message.Owner, Shown().Handle());
    EXPECT_NE(message.Message.Text.find(PathOf(L"gone")), std::wstring::npos);
}

TEST_F(AddContentWindow, WhatCannotBeAppendedIsReportedAndLeavesTheArchiveAsItWas) {
    WriteFile(L"one", "1");
    Open();
    Browse({L"one"});

    // An archive that one more block would take beyond 2,147,483,647 bytes.
    std::filesystem::resize_file(PathFromWide(archive), 2'147'483'645);
    dialogs.AnswerMessage(IDOK);
    Press(Control::cmdStart);
    EXPECT_EQ(std::filesystem::file_size(PathFromWide(archive)), 2'147'483'645u);
    EXPECT_EQ(LastRequest().Message.Title, L"附加档案内容");
    EXPECT_EQ(LastRequest().Message.Owner, Shown().Handle());

    // An archive that has gone.
    std::filesystem::remove(PathFromWide(archive));
    dialogs.AnswerMessage(IDOK);
    Press(Control::cmdStart);
    EXPECT_NE(LastRequest().Message.Text.find(archive), std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(PathFromWide(archive)));

    EXPECT_EQ(SizeHeader(), L"档案大小（b）") << "the list still shows the sizes";
    EXPECT_EQ(Column(2), (std::vector<std::wstring>{L"1"}));
    EXPECT_FALSE(Shown().bResultsShown());
}

TEST_F(AddContentWindow, StartWithoutACurrentArchiveDoesNothing) {
    WriteFile(L"one", "1");
    Open();
    Browse({L"one"});
    window.Click(ToolbarButton::New); // the packed workspace counts as saved: no question
    Press(Control::cmdStart);
    EXPECT_EQ(SizeHeader(), L"档案大小（b）");
    EXPECT_TRUE(progress.events.empty());
    EXPECT_EQ(ReadFileBytes(PathFromWide(archive)), original);
}

TEST_F(AddContentWindow, ASecondAppendContentBringsTheOneWindowToTheFront) {
    WriteFile(L"one", "1");
    const HWND first = Open().Handle();
    Browse({L"one"});
    window.Show();
    ASSERT_EQ(GetActiveWindow(), window.Handle());
    EXPECT_EQ(Open().Handle(), first);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(OwnedWindows(window.Handle(), kAddContentWindowClass).size(), 1u);
    EXPECT_EQ(Column(1).size(), 1u) << "its list is kept";
}

TEST_F(AddContentWindow, ClosingDiscardsTheListAndTheMainWindowClosesItToo) {
    WriteFile(L"one", "1");
    Open();
    Browse({L"one"});
    Press(Control::cmdStart);
    Press(Control::cmdCancel);
    win32::PumpPendingMessages();
    EXPECT_EQ(window.AddContentWindow(), nullptr);

    const HWND reopened = Open().Handle();
    EXPECT_EQ(Shown().lstFile().Count(), 0u);
    EXPECT_FALSE(Shown().bResultsShown());
    EXPECT_EQ(SizeHeader(), L"档案大小（b）");
    EXPECT_FALSE(Enabled(Control::cmdStart));

    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(reopened));
}

TEST_F(AddContentWindow, TabMovesBetweenItsControlsAndEscClosesIt) {
    Open();
    Shown().lstFile().SetFocus();
    MSG tab{Shown().lstFile().Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(window.TranslateDialogKeys(tab));
    EXPECT_EQ(GetFocus(), Shown().Control(Control::cmdBrowse)) << "the disabled buttons are passed over";
    MSG esc{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(window.TranslateDialogKeys(esc));
    win32::PumpPendingMessages();
    EXPECT_EQ(window.AddContentWindow(), nullptr);
}

TEST_F(AddContentWindow, ACloseDuringARunWaitsForItsEndAndTheMainWindowTakesNoCommandMeanwhile) {
    WriteFile(L"one", "1");
    Open();
    Browse({L"one"});
    const HWND shown = Shown().Handle();
    progress.onBreathe = [&] {
        SendMessageW(shown, WM_CLOSE, 0, 0);
        window.Click(ToolbarButton::New);
    };
    Press(Control::cmdStart);
    EXPECT_EQ(ReadFileBytes(PathFromWide(archive)).size(), 180u) << "the run went to its end";
    EXPECT_EQ(window.workspace().Count(), 2u) << "New did not run";
    ASSERT_TRUE(IsWindow(shown));
    win32::PumpPendingMessages();
    EXPECT_FALSE(IsWindow(shown));
}

} // namespace
} // namespace quarrow::app::testing
