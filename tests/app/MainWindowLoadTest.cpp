// The main window as it loads: its size and caption, the toolbars with their buttons, the entry list
// and the status bar, at the screen's 96 dots per inch.

#include "MainWindowFixture.hpp"

#include "StatusTexts.hpp"

#include "BuildVersion.hpp"
#include "GdiProbe.hpp"

namespace quarrow::app::testing {
namespace {

RECT RectIn(HWND child, HWND parent) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring CaptionOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

using MainWindowLoad = MainWindowTest;

TEST_F(MainWindowLoad, TheWindowHasItsFixedClientAreaAndTheVersionInItsCaption) {
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 633);
    EXPECT_EQ(client.bottom, 488);
    EXPECT_EQ(CaptionOf(window.Handle()), L"Quarrow V" + std::wstring(quarrow::testing::kBuildVersionWide));
    const LONG_PTR style = GetWindowLongPtrW(window.Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "a fixed border";
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(SendMessageW(window.Handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window.Handle(), WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_FALSE(window.bSaved());
    EXPECT_EQ(window.txtPAKName(), L"");
}

TEST_F(MainWindowLoad, TheButtonsStandOnTheirRowsWithTheirCaptionsAndStates) {
    struct Expected {
        ToolbarButton button;
        int stripTop;
        int x;
        int width;
        const wchar_t* caption;
        std::int16_t state;
    };
    const Expected expected[] = {
        {ToolbarButton::New, 0, 16, 89, L"新PAK文件", 0},
        {ToolbarButton::Open, 0, 112, 105, L"开启PAK文件", 0},
        {ToolbarButton::Save, 0, 224, 105, L"打包PAK文件", 4},
        {ToolbarButton::Extract, 0, 336, 105, L"解包PAK文件", 4},
        {ToolbarButton::Help, 0, 456, 81, L"使用说明", 0},
        {ToolbarButton::About, 0, 544, 57, L"关于", 0},
        {ToolbarButton::AddFile, 26, 16, 81, L"增加档案", 0},
        {ToolbarButton::AddFolder, 26, 104, 81, L"增加目录", 0},
        {ToolbarButton::AddContent, 26, 192, 105, L"附加档案内容", 4},
        {ToolbarButton::Del, 26, 304, 81, L"删除档案", 4},
    };
    for (const Expected& e : expected) {
        const controls::ZID_Button& button = window.Button(e.button);
        const RECT rect = RectIn(button.Handle(), window.Handle());
        EXPECT_EQ(rect.left, e.x) << button.Caption();
        EXPECT_EQ(rect.top, e.stripTop) << button.Caption();
        EXPECT_EQ(rect.right - rect.left, e.width) << button.Caption();
        EXPECT_EQ(rect.bottom - rect.top, 25) << button.Caption();
        EXPECT_EQ(button.Caption(), e.caption);
        EXPECT_EQ(button.State(), e.state) << button.Caption();
        EXPECT_TRUE(button.Picture()) << button.Caption() << " has its picture";
    }
}

TEST_F(MainWindowLoad, TheEntryListIsAVirtualReportListWithItsThreeColumns) {
    const HWND list = window.lstFile().Handle();
    const RECT rect = RectIn(list, window.Handle());
    EXPECT_EQ(rect.top, 56);
    EXPECT_EQ(rect.bottom - rect.top, 409);
    EXPECT_EQ(rect.right - rect.left, 633);
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_NE(style & LVS_OWNERDATA, 0);
    EXPECT_EQ(style & LVS_SINGLESEL, 0);
    EXPECT_EQ(window.lstFile().ColumnCount(), 3);
    const std::pair<const wchar_t*, int> columns[] = {{L"档案名字", 200}, {L"档案大小（b）", 93}, {L"目录", 307}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window.lstFile().ColumnHeader(i + 1), columns[i].first);
        EXPECT_EQ(ListView_GetColumnWidth(list, i), columns[i].second);
    }
    EXPECT_EQ(window.lstFile().Count(), 0u);
}

TEST_F(MainWindowLoad, TheStatusBarRunsAlongTheBottomInFrontOfTheListAndSaysReady) {
    const HWND status = GetWindow(window.lstFile().Handle(), GW_HWNDFIRST);
    RECT rect{};
    bool found = false;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        rect = RectIn(child, window.Handle());
        if (rect.top == 463) {
            found = true;
            EXPECT_EQ(child, status) << "the status bar is the first of the window's children";
            break;
        }
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(rect.bottom - rect.top, 25);
    EXPECT_EQ(rect.right - rect.left, 633);
    EXPECT_EQ(window.StatusText(1), L"");
    EXPECT_EQ(window.StatusText(kElapsedPanel), L"");
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
}

TEST(MainWindowUnload, LeavesNoGdiObjectsBehind) {
    dialogs::ScriptedDialogProvider dialogs;
    const auto loadAndUnload = [&] {
        frmMain window(dialogs);
        window.SetStatusText(kStatePanel, L"开启完成！");
    };
    loadAndUnload(); // the system keeps some objects from the first use
    const int before = quarrow::testing::FreeGdiSlots();
    for (int i = 0; i < 3; ++i) {
        loadAndUnload();
    }
    EXPECT_EQ(quarrow::testing::FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::app::testing
