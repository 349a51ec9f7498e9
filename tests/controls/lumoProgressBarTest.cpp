// The progress bar's properties: defaults, change reports and saved settings.

#include "lumoProgressBar.hpp"

#include "ProgressBarTestSupport.hpp"
#include "SurfaceTestSupport.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quarrow::controls {
namespace {

using testing::BarHost;

constexpr OleColor kButtonFace = 0x8000000Fu;
constexpr OleColor kWindowText = 0x80000008u;

Picture SmallPicture() {
    return Picture::FromBitmap(testing::ScreenBitmap(2, 2, [](int x, int y) { return RGB(x * 100, y * 100, 50); }));
}

// Records the reported names and counts the paints.
struct Observer {
    explicit Observer(lumoProgressBar& bar) {
        bar.PropertyChanged = [this](std::wstring_view name) { names.emplace_back(name); };
        bar.BeforePaint = [this](BeforePaintEvent) { ++paints; };
    }
    std::vector<std::wstring> names;
    int paints = 0;
};

TEST(lumoProgressBar, StartsWithTheDefaults) {
    BarHost host;
    const auto bar = host.MakeBar(100, 17);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(bar->Percent(), 0.0);
    EXPECT_EQ(bar->Text(), L"");
    EXPECT_FALSE(bar->ShowText());
    EXPECT_EQ(bar->TextAlignX(), 1);
    EXPECT_EQ(bar->TextAlignY(), 1);
    EXPECT_FALSE(bar->Segments());
    EXPECT_FALSE(bar->XpStyle());
    EXPECT_EQ(bar->BorderStyle(), 1);
    EXPECT_EQ(bar->Appearance(), 1);
    EXPECT_EQ(bar->BackColor(), kButtonFace);
    EXPECT_EQ(bar->ForeColor(), RgbColor(0, 0, 0));
    EXPECT_EQ(bar->BarColor(), RgbColor(0, 0, 128));
    EXPECT_EQ(bar->BarForeColor(), RgbColor(255, 255, 255));
    EXPECT_EQ(bar->Font(), win32::FontSpec{});
    EXPECT_EQ(bar->Font().name, L"MS Sans Serif");
    EXPECT_FALSE(bar->Picture());
    EXPECT_FALSE(bar->BarPicture());
    EXPECT_EQ(bar->BackPictureMode(), 1);
    EXPECT_EQ(bar->BarPictureMode(), 1);
    wchar_t className[32] = {};
    GetClassNameW(bar->Handle(), className, 32);
    EXPECT_STREQ(className, L"lumoProgressBar");
}

TEST(lumoProgressBar, EverySetterStoresRepaintsAndReportsTheProperty) {
    BarHost host;
    const auto bar = host.MakeBar(100, 17);
    const Picture picture = SmallPicture();
    struct Case {
        const wchar_t* name;
        std::function<void()> set;
        std::function<bool()> stored;
    };
    lumoProgressBar& b = *bar;
    // clang-format off
    const std::vector<Case> cases{
        {L"Min",             [&] { b.Min(-10); },                  [&] { return b.Min() == -10; }},
        {L"Max",             [&] { b.Max(10); },                   [&] { return b.Max() == 10; }},
        {L"Value",           [&] { b.Value(20); },                 [&] { return b.Value() == 20; }},
        {L"Text",            [&] { b.Text(L"读取 1 / 3"); },       [&] { return b.Text() == L"读取 1 / 3"; }},
        {L"ShowText",        [&] { b.ShowText(true); },            [&] { return b.ShowText(); }},
        {L"TextAlignX",      [&] { b.TextAlignX(2); },             [&] { return b.TextAlignX() == 2; }},
        {L"TextAlignY",      [&] { b.TextAlignY(0); },             [&] { return b.TextAlignY() == 0; }},
        {L"Segments",        [&] { b.Segments(true); },            [&] { return b.Segments(); }},
        {L"XpStyle",         [&] { b.XpStyle(true); },             [&] { return b.XpStyle(); }},
        {L"BorderStyle",     [&] { b.BorderStyle(2); },            [&] { return b.BorderStyle() == 2; }},
        {L"Appearance",      [&] { b.Appearance(0); },             [&] { return b.Appearance() == 0; }},
        {L"BackColor",       [&] { b.BackColor(RgbColor(1, 2, 3)); }, [&] { return b.BackColor() == RgbColor(1, 2, 3); }},
        {L"ForeColor",       [&] { b.ForeColor(kWindowText); },    [&] { return b.ForeColor() == kWindowText; }},
        {L"BarColor",        [&] { b.BarColor(RgbColor(4, 5, 6)); }, [&] { return b.BarColor() == RgbColor(4, 5, 6); }},
        {L"BarForeColor",    [&] { b.BarForeColor(0); },           [&] { return b.BarForeColor() == 0; }},
        {L"Font",            [&] { b.Font(win32::FontSpec{L"黑体", 12}); }, [&] { return b.Font().name == L"黑体"; }},
        {L"BackPictureMode", [&] { b.BackPictureMode(0); },        [&] { return b.BackPictureMode() == 0; }},
        {L"BarPictureMode",  [&] { b.BarPictureMode(3); },         [&] { return b.BarPictureMode() == 3; }},
    };
    // clang-format on
    for (const Case& c : cases) {
        Observer observer(b);
        c.set();
        EXPECT_TRUE(c.stored()) << c.name;
        EXPECT_EQ(observer.names, std::vector<std::wstring>{c.name});
        EXPECT_EQ(observer.paints, 1) << c.name << " repaints at once";
    }

    // Either picture goes through the one routine that reports both.
    for (const bool forBar : {false, true}) {
        Observer observer(b);
        forBar ? b.BarPicture(picture) : b.Picture(picture);
        EXPECT_EQ(forBar ? b.BarPicture() : b.Picture(), picture);
        EXPECT_EQ(observer.names, (std::vector<std::wstring>{L"Picture", L"BarPicture"}));
        EXPECT_EQ(observer.paints, 1);
    }
}

TEST(lumoProgressBar, SettingTheSameValueStillRepaintsAndReports) {
    BarHost host;
    const auto bar = host.MakeBar(100, 17);
    Observer observer(*bar);
    bar->Value(0);
    bar->Value(0);
    EXPECT_EQ(observer.names, (std::vector<std::wstring>{L"Value", L"Value"}));
    EXPECT_EQ(observer.paints, 2);
}

TEST(lumoProgressBar, AFreshBarSavesOnlyItsBlackCaptionAndItsFont) {
    BarHost host;
    const auto bar = host.MakeBar(100, 17);
    PropertyBag bag;
    bar->WriteProperties(bag);
    // A new bar's caption is black, while an absent key means window text: black is written.
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"ForeColor", L"Font"}));
    EXPECT_EQ(bag.Read(L"ForeColor", kWindowText), 0u);

    bar->ForeColor(kWindowText);
    PropertyBag second;
    bar->WriteProperties(second);
    EXPECT_EQ(second.Keys(), std::vector<std::wstring>{L"Font"}) << "the font is always written";
}

void SetEverythingAwayFromItsDefault(lumoProgressBar& bar, const Picture& back, const Picture& front) {
    bar.XpStyle(true);
    bar.Segments(true);
    bar.Font(win32::FontSpec{L"Tahoma", 9, true});
    bar.Text(L"&解包 7 / 9");
    bar.TextAlignY(2);
    bar.TextAlignX(0);
    bar.ShowText(true);
    bar.Value(-7);
    bar.Max(9);
    bar.Min(-9);
    bar.BackPictureMode(0);
    bar.BarPictureMode(2);
    bar.BarPicture(front);
    bar.BarForeColor(RgbColor(1, 1, 1));
    bar.BarColor(0x8000000Du);
    bar.BorderStyle(2);
    bar.Appearance(0);
    bar.ForeColor(RgbColor(255, 0, 0));
    bar.BackColor(RgbColor(0, 255, 0));
    bar.Picture(back);
}

const std::vector<std::wstring> kKeyOrder{
    L"Picture",    L"BackColor",    L"ForeColor",  L"Appearance",     L"BorderStyle",
    L"BarColor",   L"BarForeColor", L"BarPicture", L"BarPictureMode", L"BackPictureMode",
    L"Min",        L"Max",          L"Value",      L"ShowText",       L"TextAlignX",
    L"TextAlignY", L"Text",         L"Font",       L"Segments",       L"XpStyle",
};

TEST(lumoProgressBar, SavedSettingsKeepTheirOrderAndComeBackThroughTheSetters) {
    BarHost host;
    const auto original = host.MakeBar(100, 17);
    const Picture back = SmallPicture();
    const Picture front = SmallPicture();
    SetEverythingAwayFromItsDefault(*original, back, front);
    PropertyBag bag;
    original->WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), kKeyOrder);

    const auto loaded = host.MakeBar(100, 17);
    Observer observer(*loaded);
    loaded->ReadProperties(bag);
    std::vector<std::wstring> expectedReports;
    for (const std::wstring& key : kKeyOrder) {
        if (key == L"Picture" || key == L"BarPicture") {
            expectedReports.insert(expectedReports.end(), {L"Picture", L"BarPicture"});
        } else {
            expectedReports.push_back(key);
        }
    }
    EXPECT_EQ(observer.names, expectedReports) << "every key through its setter, in order";
    EXPECT_EQ(observer.paints, 20);

    EXPECT_EQ(loaded->Picture(), back);
    EXPECT_EQ(loaded->BarPicture(), front);
    EXPECT_EQ(loaded->BackColor(), RgbColor(0, 255, 0));
    EXPECT_EQ(loaded->ForeColor(), RgbColor(255, 0, 0));
    EXPECT_EQ(loaded->Appearance(), 0);
    EXPECT_EQ(loaded->BorderStyle(), 2);
    EXPECT_EQ(loaded->BarColor(), 0x8000000Du);
    EXPECT_EQ(loaded->BarForeColor(), RgbColor(1, 1, 1));
    EXPECT_EQ(loaded->BarPictureMode(), 2);
    EXPECT_EQ(loaded->BackPictureMode(), 0);
    EXPECT_EQ(loaded->Min(), -9);
    EXPECT_EQ(loaded->Max(), 9);
    EXPECT_EQ(loaded->Value(), -7);
    EXPECT_TRUE(loaded->ShowText());
    EXPECT_EQ(loaded->TextAlignX(), 0);
    EXPECT_EQ(loaded->TextAlignY(), 2);
    EXPECT_EQ(loaded->Text(), L"&解包 7 / 9");
    EXPECT_EQ(loaded->Font(), (win32::FontSpec{L"Tahoma", 9, true}));
    EXPECT_TRUE(loaded->Segments());
    EXPECT_TRUE(loaded->XpStyle());

    PropertyBag again;
    loaded->WriteProperties(again);
    EXPECT_EQ(again.Keys(), kKeyOrder);
}

TEST(lumoProgressBar, MissingKeysReadAsTheirDefaults) {
    BarHost host;
    const auto bar = host.MakeBar(100, 17);
    SetEverythingAwayFromItsDefault(*bar, SmallPicture(), SmallPicture());
    bar->ReadProperties(PropertyBag{});
    EXPECT_EQ(bar->ForeColor(), kWindowText) << "the saved default, not a new bar's black";
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_FALSE(bar->Picture());
    PropertyBag saved;
    bar->WriteProperties(saved);
    EXPECT_EQ(saved.Keys(), std::vector<std::wstring>{L"Font"}) << "everything else is back at its default";
    EXPECT_EQ(saved.Read(L"Font", win32::FontSpec{L"other"}), win32::FontSpec{});
}

TEST(lumoProgressBar, ABarWithoutAParentIsRefusedWithAnError) {
    EXPECT_THROW(lumoProgressBar(nullptr, 0, 0, 10, 10), std::system_error);
}

} // namespace
} // namespace quarrow::controls
