#include "dlgHelp.hpp"

#include "HelpText.hpp"
#include "ModalOwner.hpp"
#include "Twips.hpp"
#include "WindowFacts.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

using testing::ClientSize;
using testing::HasStyle;
using testing::SharedOwner;
using testing::WindowText;

TEST(dlgHelp, ShowsTheUsageNotesInAReadOnlyScrollingTextBox) {
    testing::ModalOwner& owner = SharedOwner();
    const bool shown = owner.WhileShown(
        kHelpWindowClass, [&] { ShowHelpWindow(owner.Handle()); },
        [&](HWND help) {
            EXPECT_EQ(WindowText(help), L"使用说明");
            const HWND text1 = GetDlgItem(help, kHelpText1Id);
            ASSERT_NE(text1, nullptr);

            // What the text box holds, not only what the window was given.
            const std::wstring shownText = WindowText(text1);
            EXPECT_EQ(shownText, UsageText());

            EXPECT_TRUE(HasStyle(text1, ES_MULTILINE | ES_READONLY | WS_VSCROLL));
            EXPECT_FALSE(HasStyle(text1, WS_HSCROLL)) << "long lines wrap";
            SCROLLINFO scroll{sizeof scroll, SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
            ASSERT_TRUE(GetScrollInfo(text1, SB_VERT, &scroll));
            EXPECT_GT(scroll.nMax - scroll.nMin + 1, static_cast<int>(scroll.nPage))
                << "the notes run past the box, so the scroll bar has somewhere to go";

            // Typing, cutting and clearing leave the notes as they are.
            SendMessageW(text1, EM_SETSEL, 0, -1);
            SendMessageW(text1, WM_CHAR, L'x', 0);
            SendMessageW(text1, WM_CUT, 0, 0);
            SendMessageW(text1, WM_CLEAR, 0, 0);
            EXPECT_EQ(WindowText(text1), UsageText());

            EXPECT_EQ(GetFocus(), text1) << "the notes take the keyboard, so they scroll with the keys";
            testing::CloseByCloseBox(help);
        });
    EXPECT_TRUE(shown);
}

TEST(dlgHelp, IsAFixedDialogFrameAroundTheLayoutsClientArea) {
    testing::ModalOwner& owner = SharedOwner();
    const bool shown = owner.WhileShown(
        kHelpWindowClass, [&] { ShowHelpWindow(owner.Handle()); },
        [&](HWND help) {
            const SIZE client = ClientSize(help);
            EXPECT_EQ(client.cx, win32::TwipsToPixelsX(8145));
            EXPECT_EQ(client.cy, win32::TwipsToPixelsY(5880));
            EXPECT_TRUE(HasStyle(help, WS_CAPTION | WS_SYSMENU));
            EXPECT_FALSE(HasStyle(help, WS_THICKFRAME));
            EXPECT_FALSE(HasStyle(help, WS_MAXIMIZEBOX));
            EXPECT_FALSE(HasStyle(help, WS_MINIMIZEBOX));

            // The text box fills the client area but for a narrow margin.
            const RECT box = testing::RectInParent(GetDlgItem(help, kHelpText1Id));
            EXPECT_EQ(box.left, win32::TwipsToPixelsX(120));
            EXPECT_EQ(box.top, win32::TwipsToPixelsY(120));
            EXPECT_EQ(box.right - box.left, win32::TwipsToPixelsX(7935));
            EXPECT_EQ(box.bottom - box.top, win32::TwipsToPixelsY(5655));
            EXPECT_TRUE(testing::Contains(RECT{0, 0, client.cx, client.cy}, box));
            testing::CloseByCloseBox(help);
        });
    EXPECT_TRUE(shown);
}

} // namespace
} // namespace quarrow::app
