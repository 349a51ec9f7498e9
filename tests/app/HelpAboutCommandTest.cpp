// Help and About: each opens its window modal over the main window, which takes commands again once
// the window has closed.

#include "MainWindowFixture.hpp"

#include "ModalWindow.hpp"
#include "dlgAbout.hpp"
#include "dlgHelp.hpp"

namespace quarrow::app::testing {
namespace {

// What the timer saw of the window the click opened; the timer then closes it.
struct Watch {
    HWND owner = nullptr;
    const wchar_t* className = nullptr;
    bool seen = false;
    bool ownerDisabled = false;
    int ticks = 0;
};
Watch* watching = nullptr;

void CALLBACK CloseWhenShown(HWND, UINT, UINT_PTR, DWORD) {
    if (!watching) {
        return;
    }
    const std::vector<HWND> shown = OwnedWindows(watching->owner, watching->className);
    if ((!shown.empty() && IsWindowVisible(shown.front())) || ++watching->ticks > 200) {
        watching->seen = !shown.empty();
        watching->ownerDisabled = !IsWindowEnabled(watching->owner);
        CloseOwnedWindows(watching->owner, watching->className);
    }
}

using HelpAboutCommand = MainWindowTest;

TEST_F(HelpAboutCommand, EachOpensItsWindowModalOverTheMainWindow) {
    for (const auto& [button, className] :
         {std::pair{ToolbarButton::Help, kHelpWindowClass}, std::pair{ToolbarButton::About, kAboutWindowClass}}) {
        Watch watch{window.Handle(), className};
        watching = &watch;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CloseWhenShown);
        window.Click(button);
        KillTimer(nullptr, timer);
        watching = nullptr;
        EXPECT_TRUE(watch.seen) << "the window showed, owned by the main window";
        EXPECT_TRUE(watch.ownerDisabled) << "modal";
        EXPECT_TRUE(IsWindowEnabled(window.Handle()));
        EXPECT_TRUE(OwnedWindows(window.Handle(), className).empty());
        EXPECT_FALSE(window.Busy().Busy());
    }
    EXPECT_TRUE(dialogs.Requests().empty());
}

} // namespace
} // namespace quarrow::app::testing
