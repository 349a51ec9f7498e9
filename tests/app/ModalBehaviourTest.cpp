// How the About and Help windows behave as modal windows: the owner disabled while they show, their
// placement over the owner, the ways they close, and no GDI objects left behind.

#include "dlgAbout.hpp"
#include "dlgHelp.hpp"

#include "GdiProbe.hpp"
#include "ModalOwner.hpp"
#include "WindowFacts.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>

namespace quarrow::app {
namespace {

using testing::CloseByCloseBox;
using testing::ModalOwner;
using testing::SharedOwner;

struct ModalKind {
    const char* name;
    const wchar_t* className;
    void (*show)(HWND owner);
    void (*close)(HWND owner);
};

void PrintTo(const ModalKind& kind, std::ostream* out) { *out << kind.name; }

const ModalKind kAbout{"About", kAboutWindowClass, &ShowAboutWindow, &CloseAboutWindow};
const ModalKind kHelp{"Help", kHelpWindowClass, &ShowHelpWindow, &CloseHelpWindow};

class ModalBehaviour : public ::testing::TestWithParam<ModalKind> {
protected:
    // Opens the window on `owner` and runs `inspect` while it shows; the inspection closes it.
    bool WhileShown(ModalOwner& owner, const std::function<void(HWND)>& inspect) {
        const ModalKind& kind = GetParam();
        return owner.WhileShown(
            kind.className, [&] { kind.show(owner.Handle()); }, inspect);
    }
};

POINT Centre(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

TEST_P(ModalBehaviour, DisablesItsOwnerWhileItShowsAndHandsTheActivationBack) {
    ModalOwner& owner = SharedOwner();
    HWND shown = nullptr;
    ASSERT_TRUE(WhileShown(owner, [&](HWND window) {
        shown = window;
        EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
        EXPECT_EQ(GetWindow(window, GW_OWNER), owner.Handle());
        EXPECT_EQ(GetActiveWindow(), window);
        CloseByCloseBox(window);
    }));
    EXPECT_FALSE(IsWindow(shown)) << "the window is gone when the call returns";
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetActiveWindow(), owner.Handle());
}

TEST_P(ModalBehaviour, LeavesAnOwnerThatWasDisabledBeforeDisabled) {
    ModalOwner& owner = SharedOwner();
    EnableWindow(owner.Handle(), FALSE);
    EXPECT_TRUE(WhileShown(owner, [](HWND window) { CloseByCloseBox(window); }));
    EXPECT_FALSE(IsWindowEnabled(owner.Handle()));
    EnableWindow(owner.Handle(), TRUE);
}

TEST_P(ModalBehaviour, IsCentredOnItsOwner) {
    ModalOwner& owner = SharedOwner();
    ASSERT_TRUE(WhileShown(owner, [&](HWND window) {
        RECT frame{};
        RECT ownerFrame{};
        GetWindowRect(window, &frame);
        GetWindowRect(owner.Handle(), &ownerFrame);
        EXPECT_NEAR(Centre(frame).x, Centre(ownerFrame).x, 1);
        EXPECT_NEAR(Centre(frame).y, Centre(ownerFrame).y, 1);
        CloseByCloseBox(window);
    }));
}

TEST_P(ModalBehaviour, StaysOnTheScreenWhenItsOwnerHangsOffTheEdge) {
    ModalOwner& owner = SharedOwner();
    RECT home{};
    GetWindowRect(owner.Handle(), &home);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    SetWindowPos(owner.Handle(), nullptr, workArea.right - 200, workArea.bottom - 150, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WhileShown(owner, [&](HWND window) {
        RECT frame{};
        GetWindowRect(window, &frame);
        EXPECT_TRUE(testing::Contains(workArea, frame));
        CloseByCloseBox(window);
    }));
    SetWindowPos(owner.Handle(), nullptr, home.left, home.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_P(ModalBehaviour, TheMainWindowCanCloseItAndOnlyIt) {
    ModalOwner& owner = SharedOwner();
    const ModalKind& other = GetParam().className == kAbout.className ? kHelp : kAbout;
    ASSERT_TRUE(WhileShown(owner, [&](HWND window) {
        other.close(owner.Handle());
        EXPECT_TRUE(IsWindow(window)) << "closing the " << other.name << " window leaves this one";
        GetParam().close(owner.Handle());
        EXPECT_FALSE(IsWindow(window));
    }));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    GetParam().close(owner.Handle()); // with none open: nothing to do
}

TEST_P(ModalBehaviour, GoesWithItsOwnerWhenTheOwnerIsDestroyed) {
    ModalOwner owner(RECT{200, 160, 700, 560});
    HWND shown = nullptr;
    EXPECT_TRUE(WhileShown(owner, [&](HWND window) {
        shown = window;
        DestroyWindow(owner.Handle());
    }));
    EXPECT_FALSE(IsWindow(shown));
}

TEST_P(ModalBehaviour, AQuitMessageClosesItAndReachesTheOuterLoop) {
    ModalOwner& owner = SharedOwner();
    HWND shown = nullptr;
    EXPECT_TRUE(WhileShown(owner, [&](HWND window) {
        shown = window;
        PostQuitMessage(7);
    }));
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was swallowed";
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_P(ModalBehaviour, LeavesNoGdiObjectsBehindOverRepeatedOpenings) {
    ModalOwner& owner = SharedOwner();
    const auto openAndClose = [&] {
        return WhileShown(owner, [](HWND window) {
            UpdateWindow(window);
            CloseByCloseBox(window);
        });
    };
    ASSERT_TRUE(openAndClose()); // the first opening fills the system's caches
    const int before = testing::FreeGdiSlots();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(openAndClose());
    }
    EXPECT_EQ(testing::FreeGdiSlots(), before);
}

INSTANTIATE_TEST_SUITE_P(AboutAndHelp, ModalBehaviour, ::testing::Values(kAbout, kHelp),
                         [](const ::testing::TestParamInfo<ModalKind>& info) { return info.param.name; });

} // namespace
} // namespace quarrow::app
