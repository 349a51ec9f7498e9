// The folder browser, shown for real and driven by the robot.

#include "DialogErrors.hpp"
#include "DialogRobot.hpp"
#include "RaisedError.hpp"
#include "TempDir.hpp"
#include "cBrowseForFolder.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace quarrow::dialogs {
namespace {

using quarrow::testing::DialogRobot;
using quarrow::testing::TempDir;
using ::testing::IsEmpty;

constexpr int kStatusLine = 0x3743;

HWND WaitForBrowser(DialogRobot& r) { return r.WaitForDialogWithChild(L"SysTreeView32"); }

std::wstring StatusLine(DialogRobot& r, HWND browser) { return r.Text(GetDlgItem(browser, kStatusLine)); }

void WaitForStatus(DialogRobot& r, HWND browser, const std::wstring& text) {
    r.WaitUntil([&] { return StatusLine(r, browser) == text; },
                "the status line to read \"" + quarrow::testing::Narrow(text) + "\"");
}

// The main window's settings.
void ConfigureAsTheMainWindowDoes(cBrowseForFolder& browser) {
    browser.Title(L"Please select a folder:");
    browser.FileSystemOnly(true);
    browser.StatusText(true);
    browser.EditBox(true);
    browser.UseNewUI(true);
}

class FolderBrowserTest : public ::testing::Test {
protected:
    std::wstring MakeFolder(const std::wstring& name) {
        std::filesystem::create_directories(dir / name);
        return (dir / name).wstring();
    }

    TempDir dir;
};

TEST_F(FolderBrowserTest, AChineseFolderComesBackExactly) {
    const std::wstring folder = MakeFolder(L"三国目录");
    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    browser.InitialDir(folder);
    EXPECT_EQ(browser.BrowseFlags(), 0x5Du);

    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        WaitForStatus(r, shown, folder);
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    const std::wstring chosen = browser.BrowseForFolder();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(chosen, folder);
    EXPECT_EQ(chosen.find(L'\0'), std::wstring::npos);
    // Windows names the folder alone; Wine's shell gives its full path as the display name.
    EXPECT_THAT(browser.DisplayName(), ::testing::EndsWith(L"三国目录"));
}

TEST_F(FolderBrowserTest, ACancelReturnsEmptyAndNoDisplayName) {
    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    browser.InitialDir(MakeFolder(L"取消"));
    DialogRobot robot([](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    EXPECT_EQ(browser.BrowseForFolder(), L"");
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(browser.DisplayName(), L"");
}

TEST_F(FolderBrowserTest, StatusAndFolderNeedAShowingDialog) {
    cBrowseForFolder browser;
    const auto expectNotDisplayed = [](const auto& call) {
        try {
            call();
            ADD_FAILURE() << "expected 26002";
        } catch (const win32::RaisedError& error) {
            EXPECT_EQ(error.Number(), 26002);
            EXPECT_EQ(error.Description(), L"Operation invalid unless dialog is displayed.");
            EXPECT_EQ(error.Source(), L"dialogs_tests.cBrowseForFolder");
        }
    };
    expectNotDisplayed([&] { browser.SetStatus(L"状态"); });
    expectNotDisplayed([&] { browser.SetFolder(dir.Path().wstring()); });
    expectNotDisplayed([&] { browser.DialogWindow(); });
    EXPECT_EQ(browser.DisplayedDialog(), nullptr);
}

TEST_F(FolderBrowserTest, SetFolderAndSetStatusWorkWhileTheDialogShows) {
    const std::wstring first = MakeFolder(L"第一");
    const std::wstring second = MakeFolder(L"第二");
    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    browser.InitialDir(first);
    int initialised = 0;
    browser.Events.Initialized = [&] { ++initialised; };
    browser.Events.SelectionChanged = [&](const std::wstring& path, bool&) {
        if (path == second) {
            browser.SetStatus(L"已选第二");
        }
    };
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        // Under Wine a selection set while the dialog still initialises is now and then lost on a busy
        // machine; once its initial folder shows, the dialog takes one for certain.
        WaitForStatus(r, shown, first);
        browser.SetFolder(second);
        WaitForStatus(r, shown, L"已选第二");
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    EXPECT_EQ(browser.BrowseForFolder(), second);
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(initialised, 1);
}

// Wine checks a new selection itself after calling back and enables OK again, so this test hands
// the real dialog's callback the selection change directly, as the shell sends it.
TEST_F(FolderBrowserTest, ASelectionChangedHandlerCanDisableOk) {
    const std::wstring folder = MakeFolder(L"不可选");
    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    std::vector<std::wstring> offered;
    browser.Events.SelectionChanged = [&](const std::wstring& path, bool& bAllowOk) {
        offered.push_back(path);
        bAllowOk = path != folder;
    };
    bool okEnabledBefore = false;
    bool okEnabledAfter = true;
    std::wstring statusLine;
    browser.Events.Initialized = [&] {
        const HWND shown = browser.DialogWindow();
        okEnabledBefore = IsWindowEnabled(GetDlgItem(shown, IDOK)) != FALSE;
        PIDLIST_ABSOLUTE list = nullptr;
        if (SUCCEEDED(SHParseDisplayName(folder.c_str(), nullptr, &list, 0, nullptr))) {
            const win32::UniqueItemList owned(list);
            mBrowseForFolder::BrowseCallbackProc(shown, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(owned.Get()),
                                                 reinterpret_cast<LPARAM>(&browser));
        }
        okEnabledAfter = IsWindowEnabled(GetDlgItem(shown, IDOK)) != FALSE;
        wchar_t text[MAX_PATH] = {};
        GetDlgItemTextW(shown, kStatusLine, text, MAX_PATH);
        statusLine = text;
    };
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    EXPECT_EQ(browser.BrowseForFolder(), L"");
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_THAT(offered, ::testing::Contains(folder));
    EXPECT_TRUE(okEnabledBefore);
    EXPECT_FALSE(okEnabledAfter);
    EXPECT_EQ(statusLine, folder) << "the selection's path is the status text";
}

// Wine's browser never validates the edit box (it returns the tree's selection whatever was typed),
// so this test hands the real dialog's callback the message the shell sends for a typed name that is
// not a folder, as the shell itself would.
TEST_F(FolderBrowserTest, ATypedNameThatIsNoFolderIsReportedOnTheStatusLine) {
    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    browser.ValidateEditBox(true);
    EXPECT_EQ(browser.BrowseFlags(), 0x7Du);
    std::vector<std::wstring> reported;
    bool keepOpen = true;
    browser.Events.ValidationFailed = [&](const std::wstring& sPath, bool& bKeepOpen) {
        reported.push_back(sPath);
        bKeepOpen = keepOpen;
    };
    LRESULT kept = -1;
    LRESULT closed = -1;
    std::wstring statusLine;
    bool okEnabled = true;
    browser.Events.Initialized = [&] {
        const HWND shown = browser.DialogWindow();
        const LPARAM self = reinterpret_cast<LPARAM>(&browser);
        const wchar_t typed[] = L"不存在的目录";
        kept = mBrowseForFolder::BrowseCallbackProc(shown, BFFM_VALIDATEFAILEDW, reinterpret_cast<LPARAM>(typed), self);
        keepOpen = false;
        closed =
            mBrowseForFolder::BrowseCallbackProc(shown, BFFM_VALIDATEFAILEDW, reinterpret_cast<LPARAM>(typed), self);
        wchar_t text[128] = {};
        GetDlgItemTextW(shown, kStatusLine, text, 128);
        statusLine = text;
        okEnabled = IsWindowEnabled(GetDlgItem(shown, IDOK)) != FALSE;
    };
    DialogRobot robot([](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    browser.BrowseForFolder();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    EXPECT_EQ(reported, (std::vector<std::wstring>{L"Path invalid: 不存在的目录", L"Path invalid: 不存在的目录"}));
    EXPECT_EQ(kept, 1) << "bKeepOpen keeps the dialog open";
    EXPECT_EQ(closed, 0);
    EXPECT_EQ(statusLine, L"Path invalid: 不存在的目录");
    EXPECT_FALSE(okEnabled);
}

TEST_F(FolderBrowserTest, RelativeFoldersAreExpandedAgainstTheCurrentDirectory) {
    const std::wstring folder = MakeFolder(L"根\\子目录");
    const std::wstring root = (dir / L"根").wstring();
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));

    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    browser.RootDir(L"根");
    browser.InitialDir(L"根\\子目录");
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        WaitForStatus(r, shown, folder);
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    const std::wstring chosen = browser.BrowseForFolder();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    SetCurrentDirectoryW(previous);

    EXPECT_EQ(chosen, folder);
    EXPECT_EQ(browser.InitialDir(), folder);
    EXPECT_EQ(browser.RootDir(), root);
}

TEST_F(FolderBrowserTest, APathTheSystemCannotExpandRaisesItsErrorCode) {
    cBrowseForFolder browser;
    ConfigureAsTheMainWindowDoes(browser);
    bool raised = false;
    std::int32_t number = 0;
    std::wstring description;
    std::wstring source;
    browser.Events.Initialized = [&] {
        try {
            browser.SetFolder(L"");
        } catch (const win32::RaisedError& error) {
            raised = true;
            number = error.Number();
            description = error.Description();
            source = error.Source();
        }
    };
    DialogRobot robot([](DialogRobot& r) {
        const HWND shown = WaitForBrowser(r);
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    browser.BrowseForFolder();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    ASSERT_TRUE(raised);
    const std::uint32_t code = static_cast<std::uint32_t>(number) - 0x80047148u;
    EXPECT_LT(code, 0x10000u) << "the number is the system's code plus 0x80047148";
    EXPECT_EQ(description, RaisedSystemText(code));
    EXPECT_EQ(source, L"dialogs_tests.cBrowseForFolder");
}

TEST_F(FolderBrowserTest, AnExceptionInAHandlerClosesTheBrowser) {
    cBrowseForFolder browser;
    browser.Events.Initialized = [] { throw std::runtime_error("handler failed"); };
    DialogRobot robot([](DialogRobot&) {});
    EXPECT_THROW(browser.BrowseForFolder(), std::runtime_error);
    EXPECT_THAT(robot.Finish(), IsEmpty()) << "the dialog closed without the watchdog";
    EXPECT_EQ(browser.DisplayedDialog(), nullptr);
}

TEST(SpecialFolderLocation, GivesTheShellsPathOrNothing) {
    cBrowseForFolder browser;
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_EQ(browser.SpecialFolderLocation(CSIDL_WINDOWS), windows);
    EXPECT_EQ(browser.SpecialFolderLocation(CSIDL_DRIVES), L"") << "My Computer has no file-system path";
    EXPECT_EQ(browser.SpecialFolderLocation(0x7F), L"") << "no such folder";
}

} // namespace
} // namespace quarrow::dialogs
