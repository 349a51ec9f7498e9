// The folder browser hosted inside another window.

#include "DialogRobot.hpp"
#include "TempDir.hpp"
#include "cCaptureBF.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace quarrow::dialogs {
namespace {

using quarrow::testing::DialogRobot;
using quarrow::testing::TempDir;
using ::testing::IsEmpty;

constexpr int kStatusLine = 0x3743;

class HostWindow {
public:
    HostWindow()
        : hwnd_(CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 520, 420, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~HostWindow() { DestroyWindow(hwnd_); }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// Records what the capture tells it; reloads once into `reloadTo`, or unloads at the first capture.
class RecordingClient : public ICaptureBF {
public:
    RecordingClient(HWND host, std::wstring reloadTo, bool unloadAtOnce)
        : host_(host), reloadTo_(std::move(reloadTo)), unloadAtOnce_(unloadAtOnce) {}

    HWND CapturehWnd() override { return host_; }
    void CaptureBrowseForFolder(cCaptureBF& capture) override {
        capturedDialogs.push_back(capture.Browse().DialogWindow());
        ++captures;
        if (unloadAtOnce_) {
            capture.Unload();
        } else if (captures == 1) {
            capture.Reload(reloadTo_);
        }
    }
    void SelectionChanged(const std::wstring& sPath) override { selections.push_back(sPath); }
    void Unload() override { ++unloads; }

    std::atomic<int> captures{0};
    std::vector<HWND> capturedDialogs;
    std::vector<std::wstring> selections;
    int unloads = 0;

private:
    HWND host_;
    std::wstring reloadTo_;
    bool unloadAtOnce_;
};

class CaptureBFTest : public ::testing::Test {
protected:
    std::wstring MakeFolder(const std::wstring& name) {
        std::filesystem::create_directories(dir / name);
        return (dir / name).wstring();
    }

    TempDir dir;
    HostWindow host;
};

TEST_F(CaptureBFTest, TheBrowserFillsTheHostAndAReloadReplacesIt) {
    const std::wstring first = MakeFolder(L"甲");
    const std::wstring second = MakeFolder(L"乙");
    RecordingClient client(host.Get(), second, false);
    cCaptureBF capture;
    capture.Browse().FileSystemOnly(true);
    capture.Browse().StatusText(true);
    capture.Browse().InitialDir(first);

    RECT hostArea{};
    GetClientRect(host.Get(), &hostArea);
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
    HWND parent = nullptr;
    RECT dialogArea{};
    RECT treeArea{};
    bool hostIsControlParent = false;
    DialogRobot robot([&](DialogRobot& r) {
        HWND hosted = nullptr;
        r.WaitUntil(
            [&] {
                hosted = FindWindowExW(host.Get(), nullptr, L"#32770", nullptr);
                return client.captures == 2 && hosted && r.Text(GetDlgItem(hosted, kStatusLine)) == second;
            },
            "the reloaded browser inside the host");
        style = GetWindowLongPtrW(hosted, GWL_STYLE);
        exStyle = GetWindowLongPtrW(hosted, GWL_EXSTYLE);
        parent = GetParent(hosted);
        GetClientRect(hosted, &dialogArea);
        GetWindowRect(FindWindowExW(hosted, nullptr, L"SysTreeView32", nullptr), &treeArea);
        MapWindowPoints(nullptr, hosted, reinterpret_cast<POINT*>(&treeArea), 2);
        hostIsControlParent = (GetWindowLongPtrW(host.Get(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
        r.Press(hosted, IDCANCEL);
        r.WaitGone(hosted);
    });
    capture.Show(client);
    EXPECT_THAT(robot.Finish(), IsEmpty());

    ASSERT_EQ(client.capturedDialogs.size(), 2u);
    EXPECT_NE(client.capturedDialogs[0], client.capturedDialogs[1]);
    EXPECT_FALSE(IsWindow(client.capturedDialogs[0])) << "the reload closed the first dialog";
    EXPECT_EQ(client.unloads, 1) << "only the last close unloads the client";
    EXPECT_THAT(client.selections, ::testing::Contains(first));
    EXPECT_EQ(client.selections.back(), second);

    EXPECT_EQ(parent, host.Get());
    EXPECT_NE(style & WS_CHILD, 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_POPUP), 0);
    EXPECT_EQ(exStyle & WS_EX_DLGMODALFRAME, 0);
    EXPECT_EQ(dialogArea.right, hostArea.right);
    EXPECT_EQ(dialogArea.bottom, hostArea.bottom);
    EXPECT_EQ(treeArea.left, 0);
    EXPECT_EQ(treeArea.top, 0);
    EXPECT_EQ(treeArea.right, hostArea.right) << "the tree fills the host";
    EXPECT_EQ(treeArea.bottom, hostArea.bottom);
    EXPECT_TRUE(hostIsControlParent);
}

TEST_F(CaptureBFTest, UnloadClosesTheBrowserWithoutCallingTheForgottenClientBack) {
    RecordingClient client(host.Get(), L"", true);
    cCaptureBF capture;
    capture.Browse().InitialDir(MakeFolder(L"丙"));
    DialogRobot robot([](DialogRobot&) {});
    capture.Show(client);
    EXPECT_THAT(robot.Finish(), IsEmpty()) << "the browser closed without the watchdog";
    EXPECT_EQ(client.captures, 1);
    EXPECT_EQ(client.unloads, 0);
    EXPECT_EQ(FindWindowExW(host.Get(), nullptr, L"#32770", nullptr), nullptr);
}

} // namespace
} // namespace quarrow::dialogs
