#include "StatusBarTestFixture.hpp"

#include "GdiProbe.hpp"

namespace quarrow::controls::testing {
namespace {

TEST_F(StatusBarTest, ThePictureBoxForwardsItsPaintRequests) {
    bar.SetAllowXPStyles(false);
    AddMainWindowPanels();
    const RECT whole{0, 0, kWidth, kHeight};
    FillRect(picture.Hdc(), &whole, GetSysColorBrush(COLOR_WINDOW));
    int paints = 0;
    picture.Paint = [&] {
        ++paints;
        bar.Draw();
    };
    InvalidateRect(picture.Handle(), nullptr, TRUE);
    UpdateWindow(picture.Handle());
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(Read().At(8, 12), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(StatusBarTest, ThePictureBoxKeepsItsFontAndForeColourInItsContext) {
    TEXTMETRICW small{};
    GetTextMetricsW(picture.Hdc(), &small);
    picture.SetFont({.name = picture.Font().name, .points = 24, .bold = true});
    TEXTMETRICW large{};
    GetTextMetricsW(picture.Hdc(), &large);
    EXPECT_GT(large.tmHeight, small.tmHeight);
    EXPECT_GE(large.tmWeight, FW_BOLD);

    EXPECT_EQ(picture.ForeColor(), PictureBox::kDefaultForeColor);
    picture.SetForeColor(0x00336699);
    EXPECT_EQ(GetTextColor(picture.Hdc()), RGB(0x99, 0x66, 0x33));
    picture.SetForeColor(0x80000008);
    EXPECT_EQ(GetTextColor(picture.Hdc()), GetSysColor(COLOR_WINDOWTEXT));
}

TEST(PictureBox, ReplacedFontsAreDeleted) {
    const auto exercise = [&] {
        PictureBox picture;
        ASSERT_TRUE(picture.Create(TestFrame(), 0, 0, 100, 20));
        for (int size = 8; size < 20; ++size) {
            picture.SetFont({.name = L"Tahoma", .points = static_cast<double>(size)});
        }
    };
    exercise();
    const int before = quarrow::testing::FreeGdiSlots();
    exercise();
    exercise();
    EXPECT_EQ(quarrow::testing::FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls::testing
