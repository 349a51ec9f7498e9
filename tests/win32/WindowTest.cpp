#include "MessagePump.hpp"
#include "Window.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace quarrow::win32 {
namespace {

class RecordingWindow : public Window {
public:
    RecordingWindow() {
        RegisterWindowClass(L"QuarrowTestRecordingWindow");
        CreateHandle(0, L"QuarrowTestRecordingWindow", L"recording", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr);
    }
    ~RecordingWindow() override { DestroyHandle(); }

    std::vector<UINT> seen;
    int unhandled = 0;
    bool throwOnUser = false;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE || message == WM_DESTROY || message == WM_USER) {
            seen.push_back(message);
        }
        if (message == WM_USER && throwOnUser) {
            throw std::runtime_error("handler failed");
        }
        return DefaultHandling(message, wParam, lParam);
    }
    void OnUnhandledException(std::exception_ptr) override { ++unhandled; }
};

TEST(Window, MessagesReachTheObjectFromCreationToDestruction) {
    RecordingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    SendMessageW(window.Handle(), WM_USER, 0, 0);
    window.DestroyHandle();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_EQ(window.seen, (std::vector<UINT>{WM_CREATE, WM_USER, WM_DESTROY}));
}

TEST(Window, AnExceptionInAHandlerStopsAtTheWindowProcedure) {
    RecordingWindow window;
    window.throwOnUser = true;
    SendMessageW(window.Handle(), WM_USER, 0, 0);
    EXPECT_EQ(window.unhandled, 1);
}

TEST(MessagePump, DispatchesPostedMessagesAndKeepsQuit) {
    RecordingWindow window;
    PostMessageW(window.Handle(), WM_USER, 0, 0);
    PostQuitMessage(3);
    PumpPendingMessages();
    EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_USER));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "WM_QUIT must be posted again";
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
} // namespace quarrow::win32
