#include "StatusBarTestFixture.hpp"

#include "RaisedError.hpp"
#include "Twips.hpp"

namespace quarrow::controls::testing {
namespace {

using win32::RaisedError;

// Runs `action`, which must raise the status bar error `number` with `description`.
template <typename Action>
void ExpectRaised(Action action, std::int32_t number, const std::wstring& description,
                  const std::wstring& suffix = L".lumoStatusBar") {
    try {
        action();
        ADD_FAILURE() << "no error raised";
    } catch (const RaisedError& error) {
        EXPECT_EQ(error.Number(), number);
        EXPECT_EQ(error.Source(), win32::ErrorSource(suffix));
        EXPECT_EQ(error.Description(), description);
    }
}

std::vector<std::wstring> Keys(const cNoStatusBar& bar) {
    std::vector<std::wstring> keys;
    for (int i = 1; i <= bar.PanelCount(); ++i) {
        keys.push_back(bar.PanelKey(i));
    }
    return keys;
}

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

TEST_F(StatusBarTest, TheMainWindowsPanelsSpanThePictureBox) {
    AddMainWindowPanels();
    ASSERT_EQ(bar.PanelCount(), 3);
    EXPECT_EQ(bar.GetPanelRect(L"ICON"), (PixelRect{0, 0, 7, kHeight}));
    EXPECT_EQ(bar.GetPanelRect(L"MAIN"), (PixelRect{8, 0, 487, kHeight}));
    EXPECT_EQ(bar.GetPanelRect(L"VER"), (PixelRect{488, 0, 600, kHeight}));
    EXPECT_EQ(bar.PanelText(3), L"就绪");
    EXPECT_EQ(bar.PanelIcon(1), 0);
    EXPECT_EQ(bar.PanelhIcon(1), nullptr) << "without an image list no panel shows an icon";
    EXPECT_EQ(bar.PanelMinWidth(L"MAIN"), 64);
    EXPECT_TRUE(bar.PanelSpring(2));
}

TEST_F(StatusBarTest, KeysFindTheFirstExactMatch) {
    bar.AddPanel({.text = L"a", .key = L"Key"});
    bar.AddPanel({.text = L"b", .key = L"key"});
    bar.AddPanel({.text = L"c", .key = L"Key"});
    EXPECT_EQ(bar.PanelIndex(L"Key"), 1);
    EXPECT_EQ(bar.PanelIndex(L"key"), 2) << "keys compare case-sensitively";
    EXPECT_EQ(bar.PanelIndex(3), 3);
    EXPECT_TRUE(bar.PanelExists(L"key"));
    EXPECT_FALSE(bar.PanelExists(L"KEY"));
    EXPECT_FALSE(bar.PanelExists(0));
    EXPECT_FALSE(bar.PanelExists(4));

    bar.SetPanelKey(1, L"first");
    EXPECT_EQ(bar.PanelText(L"Key"), L"c");
}

TEST_F(StatusBarTest, AnUnknownPanelIsAnInvalidPanelIndexAndChangesNothing) {
    AddMainWindowPanels();
    ExpectRaised([&] { bar.SetPanelText(L"STATUS", L"x"); }, cNoStatusBar::kErrorInvalidPanelIndex,
                 L"Invalid Panel Index: STATUS");
    ExpectRaised([&] { bar.PanelText(4); }, cNoStatusBar::kErrorInvalidPanelIndex, L"Invalid Panel Index: 4");
    ExpectRaised([&] { bar.PanelKey(0); }, cNoStatusBar::kErrorInvalidPanelIndex, L"Invalid Panel Index: 0");
    ExpectRaised([&] { bar.RemovePanel(L"main"); }, cNoStatusBar::kErrorInvalidPanelIndex,
                 L"Invalid Panel Index: main");
    ExpectRaised([&] { bar.AddPanel({.key = L"NEW"}, PanelRef(L"NONE")); }, cNoStatusBar::kErrorInvalidPanelIndex,
                 L"Invalid Panel Index: NONE");
    EXPECT_FALSE(bar.PanelExists(L"STATUS"));
    EXPECT_EQ(Keys(bar), (std::vector<std::wstring>{L"ICON", L"MAIN", L"VER"}));
}

TEST_F(StatusBarTest, AddPanelBeforeAPanelTakesItsPlace) {
    AddMainWindowPanels();
    EXPECT_EQ(bar.AddPanel({.minWidth = 30, .key = L"TIME"}, PanelRef(L"VER")), 3);
    EXPECT_EQ(bar.AddPanel({.key = L"FIRST"}, PanelRef(1)), 1);
    EXPECT_EQ(bar.AddPanel({.key = L"LAST"}), 6);
    EXPECT_EQ(Keys(bar), (std::vector<std::wstring>{L"FIRST", L"ICON", L"MAIN", L"TIME", L"VER", L"LAST"}));
    EXPECT_EQ(bar.GetPanelRect(6).right, kWidth) << "the layout follows the new order";
}

TEST_F(StatusBarTest, The256thPanelIsRefusedAndTheBarStaysAsItWas) {
    for (int i = 1; i <= cNoStatusBar::kMaxPanels; ++i) {
        bar.AddPanel({.minWidth = 2, .key = std::to_wstring(i)});
    }
    ExpectRaised([&] { bar.AddPanel({.key = L"one too many"}); }, cNoStatusBar::kErrorTooManyPanels,
                 L"Too many panels.");
    EXPECT_EQ(bar.PanelCount(), 255);
    EXPECT_EQ(bar.PanelKey(255), L"255");
    EXPECT_FALSE(bar.PanelExists(L"one too many"));
}

TEST_F(StatusBarTest, OnlyOnePanelSprings) {
    AddMainWindowPanels();
    bar.AddPanel({.minWidth = 20, .spring = true, .key = L"NEW"}, PanelRef(1));
    EXPECT_TRUE(bar.PanelSpring(L"NEW"));
    EXPECT_FALSE(bar.PanelSpring(L"MAIN")) << "a springing new panel takes the spring";

    bar.SetPanelSpring(L"VER", true);
    EXPECT_FALSE(bar.PanelSpring(L"NEW"));
    EXPECT_EQ(bar.GetPanelRect(L"MAIN"), (PixelRect{28, 0, 91, kHeight})) << "back to its minimum width";
    EXPECT_EQ(bar.GetPanelRect(L"VER"), (PixelRect{92, 0, kWidth, kHeight}));
}

TEST_F(StatusBarTest, PanelStyleChangesTheNamedPanelOnly) {
    AddMainWindowPanels();
    bar.SetPanelStyle(2, kPanelPopOut);
    EXPECT_EQ(bar.PanelStyle(1), 0u);
    EXPECT_EQ(bar.PanelStyle(2), kPanelPopOut);
    EXPECT_EQ(bar.PanelStyle(3), 0u);
}

TEST_F(StatusBarTest, RemovePanelClosesTheGap) {
    AddMainWindowPanels();
    bar.RemovePanel(L"MAIN");
    EXPECT_EQ(Keys(bar), (std::vector<std::wstring>{L"ICON", L"VER"}));
    EXPECT_EQ(bar.GetPanelRect(L"VER"), (PixelRect{8, 0, kWidth, kHeight})) << "the last panel springs now";
    bar.RemovePanel(1);
    bar.RemovePanel(1);
    EXPECT_EQ(bar.PanelCount(), 0);
}

TEST_F(StatusBarTest, AFitToContentsPanelIsAsWideAsItsWholeChineseText) {
    const std::wstring text = L"载入时间：1 分钟 59.7 秒";
    bar.AddPanel({.text = text, .minWidth = 10, .fitToContents = true, .key = L"FIT"});
    bar.AddPanel({.minWidth = 10, .key = L"REST"});
    const int ideal = TextWidth(picture.Hdc(), text) + kPanelTextPadding;
    EXPECT_GT(ideal, 100);
    EXPECT_EQ(bar.PanelIdealWidth(L"FIT"), ideal);
    EXPECT_EQ(bar.GetPanelRect(L"FIT"), (PixelRect{0, 0, ideal - 1, kHeight}));

    bar.SetPanelText(L"FIT", L"短");
    EXPECT_EQ(bar.PanelIdealWidth(L"FIT"), ideal) << "a new text is not measured";
    bar.SetPanelFitToContents(L"FIT", false);
    EXPECT_EQ(bar.PanelIdealWidth(L"FIT"), TextWidth(picture.Hdc(), L"短") + kPanelTextPadding);
    EXPECT_EQ(bar.GetPanelRect(L"FIT").right, 9);

    bar.SetPanelFitToContents(L"FIT", true);
    bar.SetPanelIdealWidth(L"FIT", 50);
    EXPECT_EQ(bar.GetPanelRect(L"FIT").right, 49);
}

TEST_F(StatusBarTest, HeightIsALineOfTheHostsFontPlusTenPixelsInTwips) {
    const auto lineHeight = [&] {
        TEXTMETRICW metrics{};
        GetTextMetricsW(picture.Hdc(), &metrics);
        return static_cast<int>(metrics.tmHeight);
    };
    EXPECT_EQ(bar.Height(), (lineHeight() + 10) * win32::TwipsPerPixelY());

    win32::FontSpec large = bar.Font();
    large.points = 20;
    bar.SetFont(large);
    EXPECT_EQ(picture.Font(), large) << "the bar's font is the host's";
    EXPECT_EQ(bar.Height(), (lineHeight() + 10) * win32::TwipsPerPixelY());
    EXPECT_GT(bar.Height(), 500);
}

TEST_F(StatusBarTest, CreateRefusesAHostWithoutAWindowAndKeepsTheOneItHad) {
    PictureBox uncreated;
    ExpectRaised([&] { bar.Create(uncreated); }, cNoStatusBar::kErrorInvalidHost, L"Invalid object passed to Create.",
                 L".cNoStatusBar");
    AddMainWindowPanels();
    EXPECT_EQ(bar.GetPanelRect(3).right, kWidth) << "the bar still lays out in its first host";
}

TEST_F(StatusBarTest, PanelsAddedBeforeCreateAreMeasuredInTheHostsFont) {
    cNoStatusBar early;
    early.AddPanel({.text = L"就绪", .fitToContents = true});
    early.Create(picture);
    EXPECT_EQ(early.PanelIdealWidth(1), TextWidth(picture.Hdc(), L"就绪") + kPanelTextPadding);
}

TEST(cNoStatusBar, XPStylesCannotBeAllowedWithoutSystemSupport) {
    cNoStatusBar classicOnly(false);
    EXPECT_FALSE(classicOnly.AllowXPStyles());
    ExpectRaised([&] { classicOnly.SetAllowXPStyles(true); }, cNoStatusBar::kErrorNoXPStyles,
                 L"XP Styles not supported on this Windows installation.");
    EXPECT_FALSE(classicOnly.AllowXPStyles());

    cNoStatusBar themed(true);
    EXPECT_TRUE(themed.AllowXPStyles());
    themed.SetAllowXPStyles(false);
    EXPECT_FALSE(themed.AllowXPStyles());
}

} // namespace
} // namespace quarrow::controls::testing
