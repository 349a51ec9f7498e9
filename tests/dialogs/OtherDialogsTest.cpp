// The colour, font, print and help dialogs, the custom colours and the template modules.

#include "DialogRobot.hpp"
#include "RaisedError.hpp"
#include "cCommonDialog.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cderr.h>

namespace quarrow::dialogs {
namespace {

using quarrow::testing::DialogRobot;
using ::testing::IsEmpty;

// A module of the tests' own, beside the executable; nothing else loads it.
constexpr wchar_t kModule[] = L"dialogs_test_templates.dll";

int CALLBACK TakeFirstHorizontalFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM found) {
    // Vertical faces ("@name") are not offered by the dialog's face list.
    if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != L'@') {
        *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
        return 0;
    }
    return 1;
}

// A font family the system has, for the font dialog to find again.
std::wstring InstalledFontFamily() {
    std::wstring family;
    const HDC screen = GetDC(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &any, &TakeFirstHorizontalFace, reinterpret_cast<LPARAM>(&family), 0);
    ReleaseDC(nullptr, screen);
    return family;
}

// The colour and font dialogs carry no caption of ours: the robot takes the first dialog that shows.
void PressInFirstDialog(DialogRobot& r, int button) {
    const HWND shown = r.WaitForOtherDialog({});
    r.Press(shown, button);
    r.WaitGone(shown);
}

TEST(ColorDialog, OkReturnsTheColourItOpenedOn) {
    cCommonDialog dialog;
    dialog.Color(RGB(0x12, 0x34, 0x56));
    dialog.flags(CC_ANYCOLOR);
    DialogRobot robot([](DialogRobot& r) { PressInFirstDialog(r, IDOK); });
    dialog.ShowColor();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.Color(), RGB(0x12, 0x34, 0x56));
}

TEST(ColorDialog, ASystemColourIsTranslatedFirst) {
    cCommonDialog dialog;
    dialog.Color(0x80000000u | COLOR_HIGHLIGHT);
    DialogRobot robot([](DialogRobot& r) { PressInFirstDialog(r, IDOK); });
    dialog.ShowColor();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.Color(), GetSysColor(COLOR_HIGHLIGHT));
}

TEST(ColorDialog, ACancelRaisesWhenAskedToAndTheHookSeesTheDialogItself) {
    cCommonDialog dialog;
    dialog.Color(RGB(1, 2, 3));
    dialog.CancelError(true);
    dialog.HookDialog(true);
    HWND initialised = nullptr;
    DialogPlacement size;
    dialog.Events.InitDialog = [&](HWND hDlg) {
        initialised = hDlg;
        size = dialog.GetDialogSize(hDlg);
    };
    HWND shown = nullptr;
    DialogRobot robot([&](DialogRobot& r) {
        shown = r.WaitForOtherDialog({});
        r.Press(shown, IDCANCEL);
        r.WaitGone(shown);
    });
    try {
        dialog.ShowColor();
        ADD_FAILURE() << "expected 20001";
    } catch (const win32::RaisedError& error) {
        EXPECT_EQ(error.Number(), 20001);
        EXPECT_EQ(error.Source(), L"dialogs_tests.cCommonDialog");
    }
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.Color(), RGB(1, 2, 3)) << "a cancel keeps the colour";
    EXPECT_EQ(initialised, shown);
    EXPECT_GT(size.Width, 0);
}

TEST(ColorDialog, CustomColoursStartAsSystemColoursAndKeepTheirRange) {
    cCommonDialog dialog;
    for (int index = 0; index < 16; ++index) {
        EXPECT_EQ(dialog.CustomColor(index), GetSysColor(index)) << index;
    }
    dialog.CustomColor(15, RGB(9, 8, 7));
    EXPECT_EQ(dialog.CustomColor(15), RGB(9, 8, 7));
    dialog.CustomColor(16, RGB(1, 1, 1));
    dialog.CustomColor(-1, RGB(1, 1, 1));
    EXPECT_EQ(dialog.CustomColor(16), CLR_INVALID);
    EXPECT_EQ(dialog.CustomColor(-1), CLR_INVALID);
    EXPECT_EQ(static_cast<std::int32_t>(dialog.CustomColor(16)), -1);
}

TEST(FontDialog, OkReturnsTheFontItOpenedWith) {
    cCommonDialog dialog;
    EXPECT_FALSE(dialog.FontName().empty()) << "a new object starts from the system's message font";
    const std::wstring family = InstalledFontFamily();
    ASSERT_FALSE(family.empty());
    dialog.FontName(family);
    dialog.FontSize(12);
    dialog.FontBold(true);
    dialog.FontItalic(true);
    DialogRobot robot([](DialogRobot& r) { PressInFirstDialog(r, IDOK); });
    dialog.ShowFont();
    EXPECT_THAT(robot.Finish(), IsEmpty());
    EXPECT_EQ(dialog.FontName(), family);
    EXPECT_EQ(dialog.FontSize(), 12);
    EXPECT_TRUE(dialog.FontBold());
    EXPECT_TRUE(dialog.FontItalic());
    EXPECT_FALSE(dialog.FontUnderline());
    EXPECT_NE(dialog.flags() & CF_INITTOLOGFONTSTRUCT, 0u) << "flags hold the system's word after OK";
}

TEST(PrintDialog, ACancelNeverRaisesAndAFailureCarriesTheExtendedError) {
    cCommonDialog dialog;
    dialog.CancelError(true);
    dialog.Copies(2);
    // Without a printer the system refuses before showing anything; with one, the watchdog cancels
    // the dialog after a few seconds.
    DialogRobot robot([](DialogRobot&) {}, std::chrono::seconds(5));
    bool raised = false;
    try {
        dialog.ShowPrinter();
    } catch (const win32::RaisedError& error) {
        raised = true;
        EXPECT_NE(dialog.ExtendedError(), 0u) << "only a failure raises";
        EXPECT_EQ(error.Number(), static_cast<std::int32_t>(dialog.ExtendedError() | 13450));
        EXPECT_EQ(error.Source(), L"dialogs_tests.cCommonDialog");
    }
    robot.Finish();
    if (raised) {
        EXPECT_EQ(dialog.ExtendedError(), static_cast<DWORD>(PDERR_NODEFAULTPRN));
    } else {
        EXPECT_EQ(dialog.ExtendedError(), 0u) << "the shown dialog was cancelled";
        EXPECT_EQ(dialog.Copies(), 2);
    }
}

TEST(Help, CommandsThatNeedADataBlockAreRefused) {
    cCommonDialog dialog;
    dialog.HelpFile(L"quarrow.hlp");
    for (const UINT command : {513u, 515u}) {
        dialog.HelpCommand(command);
        try {
            dialog.ShowHelp();
            ADD_FAILURE() << command;
        } catch (const win32::RaisedError& error) {
            EXPECT_EQ(error.Number(), 13705);
            EXPECT_EQ(error.Description(), L"Invalid WinHelp Command Passed to ShowHelp function.");
            EXPECT_EQ(error.Source(), L"dialogs_tests.cCommonDialog");
        }
    }
    // Closing help when none is open succeeds without starting the help program.
    dialog.HelpCommand(HELP_QUIT);
    EXPECT_NO_THROW(dialog.ShowHelp());
}

TEST(TemplateModules, OnlyTheLoadedModuleIsFreed) {
    ASSERT_EQ(GetModuleHandleW(kModule), nullptr);
    cCommonDialog dialog;
    ASSERT_TRUE(dialog.cdLoadLibrary(kModule));
    EXPECT_EQ(dialog.hInstance(), GetModuleHandleW(kModule));
    const HINSTANCE loaded = dialog.hInstance();
    dialog.cdFreeLibrary();
    EXPECT_EQ(GetModuleHandleW(kModule), nullptr);
    EXPECT_EQ(dialog.hInstance(), loaded) << "the property keeps its value";

    dialog.hInstance(GetModuleHandleW(nullptr));
    dialog.cdFreeLibrary();
    EXPECT_NE(GetModuleHandleW(nullptr), nullptr);

    EXPECT_FALSE(dialog.cdLoadLibrary(L"no-such-module-quarrow.dll"));
    EXPECT_EQ(dialog.hInstance(), nullptr);
}

TEST(TemplateModules, AModuleStillLoadedIsFreedWithTheObject) {
    ASSERT_EQ(GetModuleHandleW(kModule), nullptr);
    {
        cCommonDialog dialog;
        ASSERT_TRUE(dialog.cdLoadLibrary(kModule));
    }
    EXPECT_EQ(GetModuleHandleW(kModule), nullptr);
}

} // namespace
} // namespace quarrow::dialogs
