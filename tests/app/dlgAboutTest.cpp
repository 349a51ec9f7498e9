#include "dlgAbout.hpp"

#include "AboutText.hpp"
#include "Gdi.hpp"
#include "ModalOwner.hpp"
#include "Twips.hpp"
#include "VersionInfo.hpp"
#include "WindowFacts.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace quarrow::app {
namespace {

using testing::ClientSize;
using testing::Contains;
using testing::FontFace;
using testing::HasStyle;
using testing::RectInParent;
using testing::SharedOwner;
using testing::WindowText;

HWND Control(HWND parent, AboutControl control) { return GetDlgItem(parent, static_cast<int>(control)); }

// Opens the About window on the shared owner, runs `inspect` on it and closes it.
void InspectAboutWindow(const std::function<void(HWND)>& inspect) {
    testing::ModalOwner& owner = SharedOwner();
    const bool shown = owner.WhileShown(
        kAboutWindowClass, [&] { ShowAboutWindow(owner.Handle()); },
        [&](HWND about) {
            inspect(about);
            testing::CloseByCloseBox(about);
        });
    EXPECT_TRUE(shown);
}

TEST(dlgAbout, ShowsTitleVersionCreditsNoticeAndCopyright) {
    InspectAboutWindow([](HWND about) {
        EXPECT_EQ(WindowText(about), L"关于");
        EXPECT_EQ(WindowText(Control(about, AboutControl::Label1)), kProgramTitle);

        const VersionInfo version = ReadVersionInfo();
        EXPECT_EQ(WindowText(Control(about, AboutControl::lblVer)), L"版本 " + version.Text());
        ASSERT_FALSE(version.legalCopyright.empty());
        EXPECT_EQ(WindowText(Control(about, AboutControl::lblCopyright)), version.legalCopyright);

        const HWND credits = Control(about, AboutControl::Picture1);
        ASSERT_NE(credits, nullptr);
        EXPECT_EQ(WindowText(Control(credits, AboutControl::Label2)), kProgrammingCredit.role);
        EXPECT_EQ(WindowText(Control(credits, AboutControl::Label3)), kProgrammingCredit.name);
        EXPECT_EQ(WindowText(Control(credits, AboutControl::Label4)), kTestingCredit.role);
        EXPECT_EQ(WindowText(Control(credits, AboutControl::Label5)), kTestingCredit.name);

        const HWND notice = Control(about, AboutControl::txtBox);
        EXPECT_EQ(WindowText(notice), LegalNotice());
        EXPECT_TRUE(HasStyle(notice, ES_MULTILINE | ES_READONLY | WS_VSCROLL));
        SendMessageW(notice, EM_SETSEL, 0, -1);
        SendMessageW(notice, WM_CHAR, L'x', 0);
        EXPECT_EQ(WindowText(notice), LegalNotice()) << "the notice is read-only";
        EXPECT_EQ(GetFocus(), notice);

        // Read-only, yet white like any text box rather than greyed.
        UpdateWindow(about);
        const SIZE noticeArea = ClientSize(notice);
        const win32::WindowDC noticeDC(notice);
        EXPECT_EQ(GetPixel(noticeDC.Get(), noticeArea.cx - 4, noticeArea.cy - 4), GetSysColor(COLOR_WINDOW));
    });
}

TEST(dlgAbout, LabelsUseHeitiAndTheCopyrightTahoma) {
    InspectAboutWindow([](HWND about) {
        const HWND credits = Control(about, AboutControl::Picture1);
        for (const HWND label : {Control(about, AboutControl::Label1), Control(about, AboutControl::lblVer),
                                 Control(credits, AboutControl::Label2), Control(credits, AboutControl::Label3),
                                 Control(credits, AboutControl::Label4), Control(credits, AboutControl::Label5)}) {
            EXPECT_EQ(FontFace(label), L"黑体") << "label " << GetDlgCtrlID(label);
        }
        EXPECT_EQ(FontFace(Control(about, AboutControl::lblCopyright)), L"Tahoma");
    });
}

TEST(dlgAbout, ShowsItsOwn24BitPictureAtFullSize) {
    InspectAboutWindow([](HWND about) {
        const HWND image = Control(about, AboutControl::Image1);
        const auto picture = reinterpret_cast<HBITMAP>(SendMessageW(image, STM_GETIMAGE, IMAGE_BITMAP, 0));
        ASSERT_NE(picture, nullptr) << "the ABOUT bitmap resource was not loaded";
        BITMAP described{};
        ASSERT_TRUE(GetObjectW(picture, sizeof described, &described));
        EXPECT_EQ(described.bmWidth, 127);
        EXPECT_EQ(described.bmHeight, 113);
        EXPECT_EQ(described.bmBitsPixel, 24);

        const RECT at = RectInParent(image);
        EXPECT_EQ(at.left, win32::TwipsToPixelsX(1080));
        EXPECT_EQ(at.top, win32::TwipsToPixelsY(120));
        EXPECT_EQ(at.right - at.left, 127);
        EXPECT_EQ(at.bottom - at.top, 113);

        // The picture's pixels are what the screen shows, across its whole area.
        UpdateWindow(about);
        const win32::UniqueDC memory = win32::CreateMemoryDC();
        const win32::SelectedObject selected(memory.Get(), picture);
        const win32::WindowDC shown(image);
        int compared = 0;
        for (int y = 4; y < 113; y += 18) {
            for (int x = 3; x < 127; x += 20) {
                EXPECT_EQ(GetPixel(shown.Get(), x, y), GetPixel(memory.Get(), x, y)) << x << ", " << y;
                ++compared;
            }
        }
        EXPECT_EQ(compared, 7 * 7);
    });
}

TEST(dlgAbout, EveryControlFitsItsWindowAndEveryLabelItsText) {
    InspectAboutWindow([](HWND about) {
        const SIZE client = ClientSize(about);
        EXPECT_EQ(client.cx, win32::TwipsToPixelsX(7155));
        EXPECT_EQ(client.cy, win32::TwipsToPixelsY(5955));
        const RECT clientArea{0, 0, client.cx, client.cy};

        // The window's own controls lie inside it and apart from one another.
        const std::vector<AboutControl> topLevel = {AboutControl::Image1, AboutControl::Label1,
                                                    AboutControl::lblVer, AboutControl::Picture1,
                                                    AboutControl::txtBox, AboutControl::lblCopyright};
        for (std::size_t i = 0; i < topLevel.size(); ++i) {
            const RECT a = RectInParent(Control(about, topLevel[i]));
            EXPECT_TRUE(Contains(clientArea, a)) << "control " << static_cast<int>(topLevel[i]);
            for (std::size_t j = i + 1; j < topLevel.size(); ++j) {
                EXPECT_FALSE(testing::Overlap(a, RectInParent(Control(about, topLevel[j]))))
                    << static_cast<int>(topLevel[i]) << " overlaps " << static_cast<int>(topLevel[j]);
            }
        }

        // The credit lines: roles on the left, names to their right, the testing line below.
        const HWND credits = Control(about, AboutControl::Picture1);
        RECT box{};
        GetClientRect(credits, &box);
        const RECT role1 = RectInParent(Control(credits, AboutControl::Label2));
        const RECT name1 = RectInParent(Control(credits, AboutControl::Label3));
        const RECT role2 = RectInParent(Control(credits, AboutControl::Label4));
        const RECT name2 = RectInParent(Control(credits, AboutControl::Label5));
        for (const RECT& label : {role1, name1, role2, name2}) {
            EXPECT_TRUE(Contains(box, label));
        }
        EXPECT_GE(name1.left, role1.right);
        EXPECT_GE(name2.left, role2.right);
        EXPECT_GE(role2.top, role1.bottom);
        EXPECT_EQ(role1.top, name1.top);
        EXPECT_EQ(role2.top, name2.top);

        // No label cuts its text off, the version and the copyright string included.
        for (const HWND label : {Control(about, AboutControl::Label1), Control(about, AboutControl::lblVer),
                                 Control(about, AboutControl::lblCopyright), Control(credits, AboutControl::Label2),
                                 Control(credits, AboutControl::Label3), Control(credits, AboutControl::Label4),
                                 Control(credits, AboutControl::Label5)}) {
            const SIZE text = testing::TextExtent(label);
            const SIZE room = ClientSize(label);
            EXPECT_LE(text.cx, room.cx) << "label " << GetDlgCtrlID(label);
            EXPECT_LE(text.cy, room.cy);
        }
    });
}

} // namespace
} // namespace quarrow::app
