// The program's dialog provider with the system's real dialogs, configured as the windows ask.

#include "DialogRobot.hpp"
#include "SystemDialogProvider.hpp"
#include "TempDir.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commdlg.h>

#include <filesystem>

namespace quarrow::dialogs {
namespace {

using quarrow::testing::DialogRobot;
using quarrow::testing::TempDir;
using ::testing::IsEmpty;

std::wstring StaticTexts(DialogRobot& r, HWND dialog) {
    std::wstring texts;
    for (HWND child = FindWindowExW(dialog, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(dialog, child, L"Static", nullptr)) {
        texts += r.Text(child);
    }
    return texts;
}

// The folder an Explorer-style file dialog shows.
std::wstring FolderShown(HWND dialog) {
    wchar_t folder[MAX_PATH] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder), SMTO_NORMAL, 10000,
                        &ignored);
    return folder;
}

class SystemDialogProviderTest : public ::testing::Test {
protected:
    TempDir dir;
    SystemDialogProvider dialogs;
};

TEST_F(SystemDialogProviderTest, OpenFilesGivesTheFolderAndTheChineseNames) {
    quarrow::testing::WriteFileText(dir / L"甲.dat", "a");
    quarrow::testing::WriteFileText(dir / L"乙.dat", "b");
    const std::wstring folder = dir.Path().wstring();
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"增加档案...");
        // Typing a folder and OK opens it, as it does for a user.
        r.TypeFileName(shown, folder);
        r.Press(shown, IDOK);
        // The click is posted: text sent meanwhile would overtake it.
        r.WaitUntil([&] { return FolderShown(shown) == folder; }, "the dialog to show the folder");
        r.TypeFileName(shown, L"\"甲.dat\" \"乙.dat\"");
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    const FileSelection chosen = dialogs.OpenFiles({nullptr, L"增加档案...", 6656, L"所有类型档案(*.*)|*.*", 1, L""});
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(chosen.Folder, folder);
    EXPECT_EQ(chosen.Names, (std::vector<std::wstring>{L"甲.dat", L"乙.dat"}));
    EXPECT_EQ(chosen.Paths(), (std::vector<std::wstring>{(dir / L"甲.dat").wstring(), (dir / L"乙.dat").wstring()}));
}

TEST_F(SystemDialogProviderTest, ACancelledFileDialogIsAnEmptyAnswer) {
    DialogRobot robot([](DialogRobot& r) {
        for (const wchar_t* title : {L"打开PAK文件...", L"增加档案...", L"打包PAK文件..."}) {
            const HWND shown = r.WaitForDialog(title);
            r.Press(shown, IDCANCEL);
            r.WaitGone(shown);
        }
    });
    EXPECT_EQ(dialogs.OpenFile({nullptr, L"打开PAK文件...", 6144, L"PAK|*.PAK", 1, L"*.PAK"}), L"");
    EXPECT_TRUE(dialogs.OpenFiles({nullptr, L"增加档案...", 6656, L"", 1, L""}).Names.empty());
    EXPECT_EQ(dialogs.SaveFile({nullptr, L"打包PAK文件...", 6146, L"PAK|*.PAK", 1, L"New.PAK"}), L"");
    EXPECT_THAT(robot.Finish(), IsEmpty());
}

TEST_F(SystemDialogProviderTest, SaveFileReturnsTheTypedTarget) {
    const std::wstring target = (dir / L"新档案.PAK").wstring();
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"打包PAK文件...");
        r.TypeFileName(shown, target);
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    EXPECT_EQ(dialogs.SaveFile({nullptr, L"打包PAK文件...", 6146, L"PAK|*.PAK", 1, L"New.PAK"}), target);
    EXPECT_THAT(robot.Finish(), IsEmpty());
}

TEST_F(SystemDialogProviderTest, TheKeptBrowserAnswersEachRequestAfresh) {
    std::filesystem::create_directories(dir / L"目标");
    const std::wstring folder = (dir / L"目标").wstring();
    FolderRequest request;
    request.Title = L"Please select a folder:";
    request.FileSystemOnly = request.StatusText = request.EditBox = request.UseNewUI = true;
    request.InitialDir = folder;
    DialogRobot robot([&](DialogRobot& r) {
        HWND shown = r.WaitForDialogWithChild(L"SysTreeView32");
        r.WaitUntil([&] { return r.Text(GetDlgItem(shown, 0x3743)) == folder; }, "the preselected folder");
        r.Press(shown, IDOK);
        r.WaitGone(shown);
        shown = r.WaitForDialogWithChild(L"SysTreeView32");
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    EXPECT_EQ(dialogs.BrowseFolder(request), folder);
    request.InitialDir.clear();
    EXPECT_EQ(dialogs.BrowseFolder(request), L"");
    EXPECT_THAT(robot.Finish(), IsEmpty());
}

TEST_F(SystemDialogProviderTest, AMessageBoxReturnsThePressedButton) {
    std::wstring shownText;
    DialogRobot robot([&](DialogRobot& r) {
        const HWND box = r.WaitForDialog(L"保存？");
        shownText = StaticTexts(r, box);
        r.Press(box, IDNO);
        r.WaitGone(box);
    });
    const int answer = dialogs.ShowMessage(
        {nullptr, L"目前的文件还没有被保存为PAK。是否要保存？", L"保存？", MB_YESNOCANCEL | MB_ICONQUESTION});
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(answer, IDNO);
    EXPECT_THAT(shownText, ::testing::HasSubstr(L"目前的文件还没有被保存为PAK。是否要保存？"));
}

} // namespace
} // namespace quarrow::dialogs
