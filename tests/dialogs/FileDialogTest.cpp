// The open and save dialogs, shown for real and driven by the robot.

#include "DialogErrors.hpp"
#include "DialogRobot.hpp"
#include "RaisedError.hpp"
#include "TempDir.hpp"
#include "cCommonDialog.hpp"
#include "mDialogHook.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <string>
#include <vector>

namespace quarrow::dialogs {
namespace {

using namespace std::string_literals;
using quarrow::testing::DialogRobot;
using quarrow::testing::TempDir;
using ::testing::IsEmpty;

constexpr wchar_t kPakFilter[] = L"三国群英传II PAK档案(*.PAK)|*.PAK";
constexpr wchar_t kAllFilter[] = L"所有类型档案(*.*)|*.*";
constexpr int kReadOnlyBox = 0x410; // chx1
constexpr wchar_t kTemplateModule[] = L"dialogs_test_templates.dll";

// The file list of an Explorer-style file dialog.
HWND FileList(HWND fileDialog) {
    const HWND view = FindWindowExW(fileDialog, nullptr, L"SHELLDLL_DefView", nullptr);
    return view ? FindWindowExW(view, nullptr, L"SysListView32", nullptr) : nullptr;
}

bool ListAllowsSeveral(HWND fileDialog) {
    const HWND list = FileList(fileDialog);
    return list && (GetWindowLongPtrW(list, GWL_STYLE) & LVS_SINGLESEL) == 0;
}

class FileDialogTest : public ::testing::Test {
protected:
    std::wstring Create(const std::wstring& name) {
        const auto path = dir / name;
        quarrow::testing::WriteFileText(path, "PAKS");
        return path.wstring();
    }
    std::wstring Folder() const { return dir.Path().wstring(); }

    TempDir dir;
};

TEST_F(FileDialogTest, OpeningAPakHandsTheSystemOnlyFileMustExistAndReturnsTheChinesePath) {
    const std::wstring pak = Create(L"三国群英传.PAK");
    cCommonDialog dialog;
    dialog.CancelError(false);
    dialog.DialogTitle(L"打开PAK文件...");
    dialog.flags(6144);
    dialog.Filename(L"*.PAK");
    dialog.Filter(kPakFilter);
    dialog.FilterIndex(1);
    dialog.InitDir(Folder());

    bool readOnlyBoxShown = false;
    bool severalAllowed = true;
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"打开PAK文件...");
        readOnlyBoxShown = IsWindowVisible(GetDlgItem(shown, kReadOnlyBox)) != FALSE;
        severalAllowed = ListAllowsSeveral(shown);
        r.TypeFileName(shown, pak);
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    EXPECT_EQ(dialog.RecordFlags(), static_cast<DWORD>(OFN_FILEMUSTEXIST));
    EXPECT_GE(dialog.RecordFileLength(), 32768u) << "any path Windows takes fits at the first OK";
    EXPECT_TRUE(readOnlyBoxShown) << "0x4 was not asked for";
    EXPECT_FALSE(severalAllowed);
    EXPECT_EQ(dialog.Filename(), pak);
    EXPECT_EQ(dialog.FileTitle(), L"三国群英传.PAK");
    EXPECT_EQ(dialog.Filter(), L"三国群英传II PAK档案(*.PAK)\0*.PAK"s);
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_NE(dialog.flags() & OFN_FILEMUSTEXIST, 0u) << "flags holds the system's word after OK";
    EXPECT_EQ(dialog.APIReturn(), 1);
}

TEST_F(FileDialogTest, AddingFilesReturnsTheNulSeparatedChineseSelection) {
    Create(L"三国一.dat");
    Create(L"三国二.dat");
    cCommonDialog dialog;
    dialog.DialogTitle(L"增加档案...");
    dialog.flags(6656);
    dialog.Filter(kAllFilter);
    dialog.FilterIndex(1);
    dialog.InitDir(Folder());

    bool severalAllowed = false;
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"增加档案...");
        severalAllowed = ListAllowsSeveral(shown);
        r.TypeFileName(shown, L"\"三国一.dat\" \"三国二.dat\"");
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    EXPECT_EQ(dialog.RecordFlags(), 0x1000u | 0x200u | 0x80000u);
    EXPECT_TRUE(severalAllowed);
    EXPECT_NE(dialog.flags() & OFN_ALLOWMULTISELECT, 0u);
    EXPECT_EQ(dialog.Filename(), Folder() + L'\0' + L"三国一.dat" + L'\0' + L"三国二.dat" + L'\0' + L'\0');

    std::wstring folder;
    std::vector<std::wstring> names;
    int count = 0;
    dialog.ParseMultiFileName(folder, names, count);
    EXPECT_EQ(folder, Folder());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"三国一.dat", L"三国二.dat"}));
    EXPECT_EQ(count, 2);
}

TEST_F(FileDialogTest, OneFileInAMultipleSelectionComesBackAsAFullPath) {
    const std::wstring only = Create(L"唯一.dat");
    cCommonDialog dialog;
    dialog.DialogTitle(L"增加档案...");
    dialog.flags(6656);
    dialog.Filter(kAllFilter);
    dialog.InitDir(Folder());
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"增加档案...");
        r.TypeFileName(shown, L"唯一.dat");
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    std::wstring folder;
    std::vector<std::wstring> names;
    int count = 0;
    dialog.ParseMultiFileName(folder, names, count);
    EXPECT_EQ(folder, L"");
    EXPECT_EQ(names, std::vector<std::wstring>{only});
    EXPECT_EQ(count, 1);
}

TEST_F(FileDialogTest, ASelectionLargerThanTheBufferIsAskedForAgainWithABiggerOne) {
    const std::wstring file = Create(L"一个比较长的档案名字.dat");
    GCommonDialog companion(FileBufferLengths{16, 16});
    FileDialogArguments arguments;
    arguments.DlgTitle = L"缓冲区";
    arguments.FileMustExist = true;
    arguments.InitDir = Folder();

    int dialogsShown = 0;
    DialogRobot robot([&](DialogRobot& r) {
        for (; dialogsShown < 2; ++dialogsShown) {
            const HWND shown = r.WaitForDialog(L"缓冲区");
            r.TypeFileName(shown, file);
            r.Press(shown, IDOK);
            r.WaitGone(shown);
        }
    });
    const bool ok = companion.VBGetOpenFileName2(arguments);
    EXPECT_THAT(robot.Finish(), IsEmpty());

    EXPECT_TRUE(ok);
    EXPECT_EQ(dialogsShown, 2) << "the first, too small buffer could not take the path";
    EXPECT_EQ(arguments.Filename, file);
    EXPECT_EQ(companion.ExtendedError(), 0u);
}

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirst) {
    const std::wstring existing = Create(L"旧档案.PAK");
    cCommonDialog dialog;
    dialog.DialogTitle(L"打包PAK文件...");
    dialog.flags(6146);
    dialog.Filename(L"New.PAK");
    dialog.Filter(kPakFilter);
    dialog.FilterIndex(1);
    dialog.InitDir(Folder());

    bool openAfterNo = false;
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"打包PAK文件...");
        r.TypeFileName(shown, existing);
        r.Press(shown, IDOK);
        const HWND prompt = r.WaitForOtherDialog({shown});
        r.Press(prompt, IDNO);
        r.WaitGone(prompt);
        r.Sync(shown);
        openAfterNo = IsWindowVisible(shown) != FALSE;

        r.TypeFileName(shown, existing);
        r.Press(shown, IDOK);
        r.Press(r.WaitForOtherDialog({shown}), IDYES);
        r.WaitGone(shown);
    });
    dialog.ShowSave();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    EXPECT_EQ(dialog.RecordFlags(), 0x2u | 0x4u);
    EXPECT_GE(dialog.RecordFileLength(), 32768u);
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(dialog.Filename(), existing);
    EXPECT_EQ(dialog.FileTitle(), L"旧档案.PAK");
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

TEST_F(FileDialogTest, ACancelWithoutCancelErrorClearsTheResults) {
    cCommonDialog dialog;
    dialog.DialogTitle(L"取消");
    dialog.flags(6144);
    dialog.Filename(L"*.PAK");
    dialog.FileTitle(L"title");
    dialog.Filter(kPakFilter);
    dialog.FilterIndex(1);
    DialogRobot robot([](DialogRobot& r) {
        for (int shown = 0; shown < 2; ++shown) {
            const HWND dialog = r.WaitForDialog(L"取消");
            r.Press(dialog, IDCANCEL);
            r.WaitGone(dialog);
        }
    });

    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), L"");
    EXPECT_EQ(dialog.FileTitle(), L"");
    EXPECT_EQ(dialog.Filter(), L"");
    EXPECT_EQ(dialog.flags(), 0u);
    EXPECT_EQ(dialog.FilterIndex(), -1);
    EXPECT_EQ(dialog.APIReturn(), 0);
    EXPECT_EQ(dialog.ExtendedError(), 0u);

    dialog.Filename(L"New.PAK");
    dialog.Filter(kPakFilter);
    dialog.flags(6146);
    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), L"");
    EXPECT_EQ(dialog.FilterIndex(), 0) << "a cancelled save leaves 0";
    EXPECT_THAT(robot.Finish(), IsEmpty());
}

TEST_F(FileDialogTest, ACancelWithCancelErrorRaises20001) {
    cCommonDialog dialog;
    dialog.DialogTitle(L"取消");
    dialog.CancelError(true);
    DialogRobot robot([](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"取消");
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    try {
        dialog.ShowOpen();
        ADD_FAILURE() << "a cancel with CancelError must raise";
    } catch (const win32::RaisedError& error) {
        EXPECT_EQ(error.Number(), 20001);
        EXPECT_EQ(error.Description(), L"User selected cancel.");
        EXPECT_EQ(error.Source(), L"dialogs_tests.cCommonDialog");
    }
    EXPECT_THAT(robot.Finish(), IsEmpty());
}

TEST_F(FileDialogTest, AZeroFilterIndexBecomesOneAndAColonFilterIsOnePair) {
    const std::wstring text = Create(L"说明.txt");
    cCommonDialog dialog;
    dialog.DialogTitle(L"文本");
    dialog.Filter(L"文本:*.txt");
    dialog.FilterIndex(0);
    dialog.InitDir(Folder());
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"文本");
        r.TypeFileName(shown, text);
        r.Press(shown, IDOK);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.FilterIndex(), 1);
    EXPECT_EQ(dialog.Filter(), L"文本\0*.txt"s);
    EXPECT_EQ(dialog.Filename(), text);
}

TEST_F(FileDialogTest, AConfirmOkHandlerThatCancelsKeepsTheDialogOpen) {
    const std::wstring pak = Create(L"确认.PAK");
    cCommonDialog dialog;
    dialog.DialogTitle(L"确认");
    dialog.flags(6144);
    dialog.InitDir(Folder());
    dialog.HookDialog(true);

    std::atomic<int> confirmations{0};
    HWND hookParent = nullptr;
    bool hookPointerSet = false;
    int closes = 0;
    EXPECT_EQ(mDialogHook::Showing(), nullptr);
    dialog.Events.InitDialog = [&](HWND hDlg) {
        hookParent = GetParent(hDlg);
        hookPointerSet = mDialogHook::Showing() != nullptr;
    };
    dialog.Events.ConfirmOK = [&](bool& bCancel) { bCancel = ++confirmations == 1; };
    dialog.Events.DialogClose = [&] { ++closes; };

    HWND shownDialog = nullptr;
    bool openAfterRefusal = false;
    DialogRobot robot([&](DialogRobot& r) {
        shownDialog = r.WaitForDialog(L"确认");
        r.TypeFileName(shownDialog, pak);
        r.Press(shownDialog, IDOK);
        r.WaitUntil([&] { return confirmations >= 1; }, "the first ConfirmOK");
        r.Sync(shownDialog);
        openAfterRefusal = IsWindowVisible(shownDialog) != FALSE;
        r.Press(shownDialog, IDOK);
        r.WaitGone(shownDialog);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());

    EXPECT_EQ(dialog.RecordFlags(), 0x1000u | 0x80020u);
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(confirmations, 2);
    EXPECT_EQ(dialog.Filename(), pak);
    EXPECT_EQ(hookParent, shownDialog) << "the hook sees a child of the visible dialog";
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(hookPointerSet);
    EXPECT_EQ(mDialogHook::Showing(), nullptr) << "the hook's pointer is cleared when the call returns";
}

TEST_F(FileDialogTest, AnExceptionInAHandlerClosesTheDialogAndLeavesShowOpen) {
    cCommonDialog dialog;
    dialog.DialogTitle(L"异常");
    dialog.Filename(L"kept?");
    dialog.HookDialog(true);
    dialog.Events.InitDialog = [](HWND) { throw std::runtime_error("handler failed"); };
    int closes = 0;
    dialog.Events.DialogClose = [&] { ++closes; };
    DialogRobot robot([](DialogRobot&) {});
    EXPECT_THROW(
        {
            try {
                dialog.ShowOpen();
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "handler failed");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_THAT(robot.Finish(), IsEmpty()) << "the dialog closed without the watchdog";
    EXPECT_EQ(dialog.Filename(), L"");
    EXPECT_EQ(closes, 0) << "no events after a failed handler";
    EXPECT_EQ(mDialogHook::Showing(), nullptr);
}

TEST_F(FileDialogTest, HookEventsCanCentreAndMeasureTheDialog) {
    const HWND reference = CreateWindowExW(0, L"STATIC", L"reference", WS_POPUP, 100, 120, 700, 500, nullptr, nullptr,
                                           GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(reference, nullptr);
    constexpr WPARAM kCentreCommand = 0x7A01;
    cCommonDialog dialog;
    dialog.DialogTitle(L"居中");
    dialog.HookDialog(true);
    DialogPlacement placed;
    HWND commandTarget = nullptr;
    dialog.Events.WMCommand = [&](HWND hDlg, WPARAM wParam, LPARAM) {
        if (LOWORD(wParam) == kCentreCommand) {
            commandTarget = hDlg;
            dialog.CentreDialog(hDlg, reference);
            placed = dialog.GetDialogSize(hDlg);
        }
    };
    RECT seen{};
    DialogRobot robot([&](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"居中");
        const HWND hookChild = FindWindowExW(shown, nullptr, L"#32770", nullptr);
        if (!hookChild) {
            r.Fail("no hook child dialog");
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(hookChild, WM_COMMAND, kCentreCommand, 0, SMTO_NORMAL, 10000, &ignored);
        GetWindowRect(shown, &seen);
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    DestroyWindow(reference);

    ASSERT_NE(commandTarget, nullptr);
    EXPECT_GT(placed.Width, 0);
    EXPECT_EQ(placed.Left, 100 + (700 - placed.Width) / 2);
    EXPECT_EQ(placed.Top, 120 + (500 - placed.Height) / 2);
    EXPECT_EQ(seen.left, placed.Left) << "the visible dialog moved, not the hook's child";
    EXPECT_EQ(seen.right - seen.left, placed.Width);
}

TEST_F(FileDialogTest, ATemplateFromALoadedModuleExtendsTheDialog) {
    constexpr int kTemplate = 100;
    constexpr int kTemplateText = 101;
    cCommonDialog dialog;
    ASSERT_TRUE(dialog.cdLoadLibrary(kTemplateModule));
    dialog.DialogTitle(L"模板");
    dialog.flags(0x40 | 0x1000);
    dialog.TemplateName(kTemplate);
    dialog.HookDialog(true);
    std::wstring templateText;
    dialog.Events.InitDialog = [&](HWND hDlg) {
        wchar_t text[64] = {};
        GetDlgItemTextW(hDlg, kTemplateText, text, 64);
        templateText = text;
    };
    DialogRobot robot([](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"模板");
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.RecordFlags(), 0x1000u | 0x80020u | 0x40u);
    EXPECT_EQ(templateText, L"Quarrow template");
}

TEST_F(FileDialogTest, TheTemplateBitIsDroppedWithoutAModule) {
    cCommonDialog dialog;
    dialog.DialogTitle(L"无模块");
    dialog.flags(0x40 | 0x1000);
    dialog.TemplateName(100);
    DialogRobot robot([](DialogRobot& r) {
        const HWND shown = r.WaitForDialog(L"无模块");
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    dialog.ShowOpen();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.RecordFlags(), 0x1000u);
}

} // namespace
} // namespace quarrow::dialogs
