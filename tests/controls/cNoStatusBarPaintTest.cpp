#include "StatusBarTestFixture.hpp"

#include "Handles.hpp"
#include "StatusBarPainter.hpp"

namespace quarrow::controls::testing {
namespace {

const COLORREF kFace = GetSysColor(COLOR_BTNFACE);
const COLORREF kShadow = GetSysColor(COLOR_BTNSHADOW);
const COLORREF kHighlight = GetSysColor(COLOR_3DHIGHLIGHT);
constexpr COLORREF kOwnerRed = RGB(220, 20, 30);

// The panels' left (shadow) and right (highlight) frame columns and the gaps between them.
void ExpectSunkenFrames(const Capture& capture) {
    constexpr int kMiddle = 12;
    EXPECT_EQ(capture.At(0, kMiddle), kShadow);
    EXPECT_EQ(capture.At(6, kMiddle), kHighlight);
    EXPECT_EQ(capture.At(7, kMiddle), kFace) << "the pixel between two panels";
    EXPECT_EQ(capture.At(8, kMiddle), kShadow);
    EXPECT_EQ(capture.At(486, kMiddle), kHighlight);
    EXPECT_EQ(capture.At(487, kMiddle), kFace);
    EXPECT_EQ(capture.At(488, kMiddle), kShadow);
    EXPECT_EQ(capture.At(599, kMiddle), kHighlight);
    EXPECT_EQ(capture.At(300, 0), kShadow);
    EXPECT_EQ(capture.At(300, 24), kHighlight);
}

struct RecordedOwnerDraw {
    int panel;
    PixelRect rect;
    HDC hdc;
    bool doDefault;
};

class StatusBarPaintTest : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        bar.OwnerDraw = [this](StatusPanelOwnerDraw& event) {
            ownerDraws.push_back(
                {event.panel, {event.left, event.top, event.right, event.bottom}, event.hdc, event.doDefault});
            const RECT rect{event.left + 1, event.top + 1, event.right - 1, event.bottom - 1};
            const win32::UniqueBrush red(CreateSolidBrush(kOwnerRed));
            FillRect(event.hdc, &rect, red.Get());
            event.doDefault = event.panel != clearDefaultOf;
        };
    }

    // The bar as the theme would draw it: background, panes (the last with the grip pane), grip.
    Capture ThemedReference(const std::vector<PixelRect>& panels, bool grip) {
        Canvas canvas(kWidth, kHeight);
        const win32::UniqueTheme theme(OpenThemeData(picture.Handle(), L"Status"));
        const RECT whole{0, 0, kWidth, kHeight};
        DrawThemeBackground(theme.Get(), canvas.Dc(), 4, 0, &whole, nullptr);
        for (std::size_t i = 0; i < panels.size(); ++i) {
            const RECT rect = ToRect(panels[i]);
            DrawThemeBackground(theme.Get(), canvas.Dc(), i + 1 == panels.size() ? 2 : 1, 0, &rect, nullptr);
        }
        if (grip) {
            const RECT square{kWidth - kHeight, 0, kWidth, kHeight};
            DrawThemeBackground(theme.Get(), canvas.Dc(), 3, 0, &square, nullptr);
        }
        return canvas.Read();
    }

    std::vector<RecordedOwnerDraw> ownerDraws;
    int clearDefaultOf = 0;
};

bool SameImage(const Capture& a, const Capture& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.At(x, y) != b.At(x, y)) {
                ADD_FAILURE() << "first difference at (" << x << ", " << y << ")";
                return false;
            }
        }
    }
    return true;
}

TEST_F(StatusBarPaintTest, ClassicPanelsAreSunkenFramesOnTheirRectangles) {
    bar.SetAllowXPStyles(false);
    AddMainWindowPanels();
    ExpectSunkenFrames(Read());
}

TEST_F(StatusBarPaintTest, ClassicStylesChangeTheFrameOfTheirPanelOnly) {
    bar.SetAllowXPStyles(false);
    AddMainWindowPanels();
    bar.SetPanelStyle(2, kPanelPopOut);
    Capture capture = Read();
    EXPECT_NE(capture.At(8, 12), kShadow) << "a pop-out panel is raised";
    EXPECT_EQ(capture.At(0, 12), kShadow);
    EXPECT_EQ(capture.At(488, 12), kShadow);

    bar.SetPanelStyle(2, kPanelNoBorders);
    capture = Read();
    EXPECT_TRUE(capture.IsFilledWith(kFace, 8, 0, 487, 1)) << "no frame at all";
    EXPECT_TRUE(capture.IsFilledWith(kFace, 8, 0, 9, kHeight));
}

TEST_F(StatusBarPaintTest, ClassicSizeGripIsTheMarlettRidgesAndLeavesTheHostAsItWas) {
    bar.SetAllowXPStyles(false);
    AddMainWindowPanels();
    // Inside the last panel's frame, clear of its text.
    EXPECT_FALSE(Read().Contains(kShadow, kWidth - kHeight, 2, kWidth - 2, kHeight - 2));

    picture.SetForeColor(0x000000FF);
    const win32::FontSpec font = picture.Font();
    bar.SetSizeGrip(true);
    const Capture capture = Read();
    // The light ridges are Marlett's "o"; whether they show beside the dark "p" depends on the font's design.
    EXPECT_TRUE(capture.Contains(kShadow, kWidth - kHeight, 2, kWidth - 2, kHeight - 2));
    EXPECT_FALSE(capture.Contains(kShadow, kWidth - kHeight, 2, kWidth - 2, 10)) << "the ridges sit in the corner";
    EXPECT_EQ(picture.Font(), font);
    EXPECT_EQ(GetTextColor(picture.Hdc()), RGB(255, 0, 0)) << "the host keeps its fore colour";
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(picture.Hdc(), LF_FACESIZE, face);
    EXPECT_NE(std::wstring(face), L"Marlett") << "the host keeps its font selected";
}

TEST_F(StatusBarPaintTest, ThemedPanelsUseThePaneAndTheGripperPaneParts) {
    AddMainWindowPanels();
    bar.SetPanelText(3, L"");
    EXPECT_TRUE(SameImage(Read(), ThemedReference({{0, 0, 7, 25}, {8, 0, 487, 25}, {488, 0, 600, 25}}, false)));
    bar.SetSizeGrip(true);
    EXPECT_TRUE(SameImage(Read(), ThemedReference({{0, 0, 7, 25}, {8, 0, 487, 25}, {488, 0, 600, 25}}, true)));
}

TEST_F(StatusBarPaintTest, SimpleModeDrawsOneTextInsteadOfThePanels) {
    bar.SetAllowXPStyles(false);
    AddMainWindowPanels();
    bar.SetSimpleText(L"简单");
    EXPECT_EQ(Read().At(0, 12), kShadow) << "writing the text alone does not draw";

    bar.SetSimpleMode(true);
    Capture capture = Read();
    EXPECT_TRUE(capture.IsFilledWith(kFace, 0, 0, kWidth, 1)) << "no frames";
    EXPECT_FALSE(capture.IsFilledWith(kFace, 0, 0, 40, kHeight)) << "the text at the left";

    bar.SetSimpleText(L"");
    EXPECT_TRUE(Read().IsFilledWith(kFace, 0, 0, kWidth, kHeight));
}

TEST_F(StatusBarPaintTest, OwnerDrawnPanelsAreRaisedWithTheHostsContextAndTheirRectangles) {
    bar.SetAllowXPStyles(false);
    AddMainWindowPanels();
    bar.SetPanelStyle(2, kPanelOwnerDraw);
    ownerDraws.clear();
    clearDefaultOf = 2;
    bar.Draw();
    ASSERT_EQ(ownerDraws.size(), 1u);
    EXPECT_EQ(ownerDraws[0].panel, 2);
    EXPECT_EQ(ownerDraws[0].rect, (PixelRect{8, 0, 487, kHeight}));
    EXPECT_EQ(ownerDraws[0].hdc, picture.Hdc());
    EXPECT_TRUE(ownerDraws[0].doDefault);
    Capture capture = Read();
    EXPECT_EQ(capture.At(100, 12), kOwnerRed) << "the owner's drawing stays";
    EXPECT_EQ(capture.At(8, 12), kShadow) << "over the frame drawn first";

    clearDefaultOf = 0;
    bar.Draw();
    EXPECT_EQ(Read().At(100, 12), kFace) << "default drawing covers the owner's";
}

TEST_F(StatusBarPaintTest, EveryPanelStartsWithDefaultDrawingWhateverTheOneBeforeChose) {
    AddMainWindowPanels();
    for (int panel = 1; panel <= 3; ++panel) {
        bar.SetPanelStyle(panel, kPanelOwnerDraw);
    }
    ownerDraws.clear();
    clearDefaultOf = 1;
    bar.Draw();
    ASSERT_EQ(ownerDraws.size(), 3u);
    EXPECT_TRUE(ownerDraws[1].doDefault);
    EXPECT_TRUE(ownerDraws[2].doDefault);
    EXPECT_EQ(Read().At(3, 12), kOwnerRed);
}

TEST_F(StatusBarPaintTest, OnANarrowBarTheFirstPanelCrossingTheEdgeIsCutAndDrawnLast) {
    AddMainWindowPanels();
    for (int panel = 1; panel <= 3; ++panel) {
        bar.SetPanelStyle(panel, kPanelOwnerDraw);
    }
    MoveWindow(picture.Handle(), 0, 0, 50, kHeight, FALSE);
    ownerDraws.clear();
    bar.Draw();
    ASSERT_EQ(ownerDraws.size(), 2u);
    EXPECT_EQ(ownerDraws[1].rect, (PixelRect{8, 0, 49, kHeight}));
    EXPECT_EQ(bar.GetPanelRect(2).right, 71) << "the layout itself is not cut";
}

TEST_F(StatusBarPaintTest, RemovingTheOnlyPanelLeavesTheBackgroundAndTheGrip) {
    bar.SetAllowXPStyles(false);
    bar.SetSizeGrip(true);
    bar.AddPanel({.text = L"only"});
    bar.RemovePanel(1);
    const Capture capture = Read();
    EXPECT_TRUE(capture.IsFilledWith(kFace, 0, 0, kWidth - kHeight, kHeight));
    EXPECT_TRUE(capture.Contains(kShadow, kWidth - kHeight, 0, kWidth, kHeight));
}

} // namespace
} // namespace quarrow::controls::testing
