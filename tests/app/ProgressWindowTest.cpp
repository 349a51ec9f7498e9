// The progress window: fresh for each operation, centred on its owner and leaving it enabled, showing
// the latest step at once and the rest at most every repaint interval; and the program's icons.

#include "SetWindowIcons.hpp"
#include "WordedProgress.hpp"
#include "dlgSave.hpp"

#include "ArchiveReader.hpp"
#include "DisplayRecorder.hpp"
#include "HandMadeArchive.hpp"
#include "TempDir.hpp"
#include "Window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::app {
namespace {

// A hidden top-level window at a known place: hidden windows go away at once under Wine.
class Owner : public win32::Window {
public:
    Owner() {
        RegisterWindowClass(L"QuarrowTestOwner");
        CreateHandle(0, L"QuarrowTestOwner", L"owner", WS_OVERLAPPEDWINDOW, 200, 150, 640, 520, nullptr);
    }
    ~Owner() override { DestroyHandle(); }
};

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// Hands every report to the window and notes what the window shows after each breath.
class WatchedProgress final : public testing::ForwardingDisplay {
public:
    explicit WatchedProgress(dlgSave& window) : ForwardingDisplay(window), window_(window) {}
    std::vector<std::wstring> statusesSeen;
    std::vector<std::wstring> barTextsSeen;
    bool stagesBarHidden = false;

    void Breathe() override {
        ForwardingDisplay::Breathe();
        const std::wstring status = TextOf(window_.lblStatus());
        if (statusesSeen.empty() || statusesSeen.back() != status) {
            statusesSeen.push_back(status);
        }
        barTextsSeen.push_back(window_.PBar()->Text());
        stagesBarHidden = !IsWindowVisible(window_.PBar2()->Handle());
    }

private:
    dlgSave& window_;
};

// Both shows of the window share one test: every close of a visible window costs Wine two seconds
// under Xvfb.
TEST(ProgressWindow, EachOperationGetsAFreshWindowCentredOnItsOwnerThatLeavesTheOwnerEnabled) {
    Owner owner;
    dlgSave save(owner.Handle());
    save.Show();
    const HWND first = save.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(TextOf(first), L"处理中。。。");
    wchar_t className[32] = {};
    GetClassNameW(first, className, 32);
    EXPECT_STREQ(className, L"dlgSave");
    EXPECT_EQ(GetWindow(first, GW_OWNER), owner.Handle());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

    RECT client{};
    GetClientRect(first, &client);
    EXPECT_EQ(client.right, 402);
    EXPECT_EQ(client.bottom, 137);
    RECT frame{};
    GetWindowRect(first, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, 200 + 320, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, 150 + 260, 1);
    const LONG_PTR style = GetWindowLongPtrW(first, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(SendMessageW(first, WM_GETICON, ICON_SMALL, 0), 0);

    EXPECT_EQ(TextOf(save.lblStatus()), L"Compressing");
    EXPECT_EQ(TextOf(save.lblFile()), L"");
    for (const controls::lumoProgressBar* bar : {save.PBar(), save.PBar2()}) {
        EXPECT_TRUE(bar->ShowText());
        EXPECT_TRUE(bar->XpStyle());
        EXPECT_EQ(bar->ForeColor(), controls::RgbColor(0, 0, 0)) << "black, not the system's text colour";
        EXPECT_EQ(bar->Font(), (win32::FontSpec{L"MS Sans Serif", 8.25}));
        EXPECT_EQ(bar->Min(), 0);
        EXPECT_EQ(bar->Max(), 100);
    }
    EXPECT_TRUE(IsWindowVisible(save.PBar2()->Handle()));

    // A new step shows at the next breath; items within the repaint interval wait for a later one.
    save.SetStatus(L"读取PAK文件内容");
    save.SetVisible(ProgressBar::Stages, false);
    save.SetMax(ProgressBar::Items, 3);
    save.SetItem(L"A.BMP");
    save.SetValue(ProgressBar::Items, 1);
    save.SetText(ProgressBar::Items, L"1 / 3");
    const ULONGLONG shown = GetTickCount64();
    save.Breathe();
    EXPECT_EQ(TextOf(save.lblStatus()), L"读取PAK文件内容");
    EXPECT_EQ(TextOf(save.lblFile()), L"A.BMP");
    EXPECT_EQ(save.PBar()->Text(), L"1 / 3");
    EXPECT_EQ(save.PBar()->Max(), 3);
    EXPECT_FALSE(IsWindowVisible(save.PBar2()->Handle()));
    save.SetItem(L"B.TXT");
    save.SetValue(ProgressBar::Items, 2);
    save.SetText(ProgressBar::Items, L"2 / 3");
    save.Breathe();
    // A busy machine may take longer than the interval between the two breaths; then either is right.
    if (GetTickCount64() - shown < dlgSave::kRepaintIntervalMs) {
        EXPECT_EQ(save.PBar()->Text(), L"1 / 3") << "within the repaint interval";
    }
    Sleep(static_cast<DWORD>(dlgSave::kRepaintIntervalMs) + 20);
    save.Breathe();
    EXPECT_EQ(save.PBar()->Text(), L"2 / 3");
    EXPECT_EQ(save.PBar()->Value(), 2);
    EXPECT_EQ(TextOf(save.lblFile()), L"B.TXT");
    save.Close();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

    // The next operation starts from the window's initial content, whatever the last one left.
    quarrow::testing::TempDir dir;
    quarrow::testing::HandMadeArchive archive;
    archive.Add("A.BMP", "abc").Add("B.TXT", "hello").Add("C.DAT", "xyz!");
    quarrow::testing::WriteFileBytes(dir / "three.pak", archive.Bytes());
    const ArchiveCheck check = CheckArchive(dir / "three.pak");
    ASSERT_TRUE(check);
    WatchedProgress watched(save);
    WordedProgress worded(watched);
    Workspace workspace;
    LoadArchive(workspace, check.path, check.header, worded);
    EXPECT_EQ(watched.statusesSeen, (std::vector<std::wstring>{L"读取PAK文件内容", L"读取完毕，请等待。。。"}));
    EXPECT_EQ(watched.barTextsSeen.back(), L"3 / 3") << "the last count shows at the last step";
    EXPECT_TRUE(watched.stagesBarHidden);
    EXPECT_EQ(save.Handle(), nullptr) << "closed when the operation ended";
    EXPECT_EQ(workspace.Count(), 3u);
}

TEST(ProgressWindow, ReportsWithoutAWindowAreKeptAndHarmless) {
    Owner owner;
    dlgSave save(owner.Handle());
    save.SetStatus(L"整理档案索引");
    save.SetValue(ProgressBar::Stages, 2);
    save.Breathe();
    save.Close();
    EXPECT_EQ(save.Handle(), nullptr);
}

TEST(SetWindowIcons, GivesTheWindowAndItsTopLevelOwnerTheProgramsIconInBothSizes) {
    Owner top;
    Owner middle;
    SetWindowLongPtrW(middle.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(top.Handle()));
    Owner window;
    SetWindowLongPtrW(window.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(middle.Handle()));
    SetWindowIcons(window.Handle(), L"Main", true);

    const auto big = reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_GETICON, ICON_BIG, 0));
    const auto small = reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(big, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(SendMessageW(top.Handle(), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big));
    EXPECT_EQ(SendMessageW(top.Handle(), WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(small));
    EXPECT_EQ(SendMessageW(middle.Handle(), WM_GETICON, ICON_BIG, 0), 0) << "only the last owner of the chain";

    Owner alone;
    SetWindowIcons(alone.Handle(), L"Main", false);
    EXPECT_EQ(SendMessageW(alone.Handle(), WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(big))
        << "shared icons: the same handle";
    Owner missing;
    SetWindowIcons(missing.Handle(), L"NO_SUCH_ICON", false);
    EXPECT_EQ(SendMessageW(missing.Handle(), WM_GETICON, ICON_BIG, 0), 0);
}

} // namespace
} // namespace quarrow::app
