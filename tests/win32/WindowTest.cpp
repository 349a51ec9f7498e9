#include "MessagePump.hpp"
#include "ThreadWindows.hpp"
#include "Window.hpp"

#include <gtest/gtest.h>

#include <new>
#include <optional>
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
    bool throwOnReport = false;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE || message == WM_DESTROY || message == WM_USER || message == WM_NOTIFY) {
            seen.push_back(message);
        }
        if (message == WM_USER && throwOnUser) {
            throw std::runtime_error("handler failed");
        }
        return DefaultHandling(message, wParam, lParam);
    }
    void OnUnhandledException(std::exception_ptr) override {
        ++unhandled;
        if (throwOnReport) {
            throw std::bad_alloc();
        }
    }
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
    // Nor does a report that fails in turn pass into the system's frames.
    window.throwOnReport = true;
    EXPECT_NO_THROW(SendMessageW(window.Handle(), WM_USER, 0, 0));
    EXPECT_EQ(window.unhandled, 2);
}

TEST(ForEachThreadWindow, AFailureInTheVisitEndsTheEnumerationAndArrivesOutsideIt) {
    RecordingWindow window;
    int visits = 0;
    const auto failing = [&](HWND) -> bool {
        ++visits;
        throw std::bad_alloc();
    };
    EXPECT_THROW(ForEachThreadWindow(GetCurrentThreadId(), failing), std::bad_alloc);
    EXPECT_EQ(visits, 1);
}

// Serves the notifications of one child: code 1 with a result of its own, any other code not.
class ChildObject : public NotificationTarget {
public:
    explicit ChildObject(HWND parent)
        : control_(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr)) {
        Serve(control_);
    }
    ~ChildObject() {
        StopServing(control_);
        DestroyWindow(control_);
    }
    HWND Control() const { return control_; }
    std::optional<LRESULT> OnNotify(const NMHDR& header) override {
        served.push_back(header.code);
        return header.code == 1 ? std::optional<LRESULT>(42) : std::nullopt;
    }
    std::vector<UINT> served;

private:
    HWND control_;
};

TEST(Window, AChildsNotificationGoesToTheObjectServingItBeforeTheParent) {
    RecordingWindow window;
    ChildObject served(window.Handle());
    const HWND plain =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, window.Handle(), nullptr, nullptr, nullptr);
    const auto notify = [&](HWND from, UINT code) {
        NMHDR header{from, 0, code};
        return SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    };
    window.seen.clear();
    EXPECT_EQ(notify(served.Control(), 1), 42);
    EXPECT_TRUE(window.seen.empty()) << "served: the parent's handler does not see it";
    notify(served.Control(), 2);
    EXPECT_EQ(window.seen, std::vector<UINT>{WM_NOTIFY}) << "declined: the parent's handler has it";
    window.seen.clear();
    notify(plain, 1);
    EXPECT_EQ(window.seen, std::vector<UINT>{WM_NOTIFY}) << "a control without an object";
    EXPECT_EQ(served.served, (std::vector<UINT>{1, 2}));
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
