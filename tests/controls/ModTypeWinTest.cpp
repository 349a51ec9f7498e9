#include "ModTypeWin.hpp"

#include "ControlHost.hpp"
#include "FakeVisualStyles.hpp"
#include "JCToolbar.hpp"
#include "ZID_Button.hpp"

#include <gtest/gtest.h>

#include <array>

namespace quarrow::controls {
namespace {

using testing::FakeVisualStyles;

TEST(ReadThemeColorName, KeepsTheSchemeNameUpToItsFirstNulAndClosesTheThemeData) {
    FakeVisualStyles::Reset(std::wstring(L"HomeStead\0Junk", 14));
    ReadThemeColorName(nullptr, FakeVisualStyles::Api());
    EXPECT_EQ(ThemeColorName, L"HomeStead");
    EXPECT_EQ(FakeVisualStyles::Current().opened, 1);
    EXPECT_EQ(FakeVisualStyles::Current().closed, 1);
}

TEST(ReadThemeColorName, GivesClassicWhenNoThemeDataOpens) {
    FakeVisualStyles::Reset();
    FakeVisualStyles::Current().themeDataOpens = false;
    ThemeColorName = L"NormalColor";
    ReadThemeColorName(nullptr, FakeVisualStyles::Api());
    EXPECT_EQ(ThemeColorName, L"Classic");
    EXPECT_EQ(FakeVisualStyles::Current().closed, 0);
}

TEST(SystemColorScheme, FollowsTheLunaSchemesAndFallsBackToSilver) {
    const struct {
        bool themed;
        bool opens;
        const wchar_t* name;
        ColorScheme expected;
    } cases[] = {
        {true, true, L"NormalColor", ColorScheme::Blue},    {true, true, L"HomeStead", ColorScheme::Olive},
        {true, true, L"Metallic", ColorScheme::Silver},     {true, true, L"Blue", ColorScheme::Silver},
        {false, true, L"NormalColor", ColorScheme::Silver}, {true, false, L"NormalColor", ColorScheme::Silver},
    };
    for (const auto& c : cases) {
        FakeVisualStyles::Reset(c.name);
        FakeVisualStyles::Current().themed = c.themed;
        FakeVisualStyles::Current().themeDataOpens = c.opens;
        EXPECT_EQ(SystemColorScheme(nullptr, FakeVisualStyles::Api()), c.expected)
            << "themed " << c.themed << " opens " << c.opens;
    }
}

TEST(SystemColorScheme, AMissingLibraryIsAClassicSystem) {
    const VisualStyleLibrary missing(L"quarrow-no-such-uxtheme.dll");
    EXPECT_FALSE(AppIsThemed(missing.Api()));
    EXPECT_EQ(SystemColorScheme(nullptr, missing.Api()), ColorScheme::Silver);
    EXPECT_EQ(ThemeColorName, L"Classic");
    EXPECT_FALSE(AppIsThemed(VisualStyleApi{})) << "no function, no visual styles";
}

TEST(SystemColorScheme, ReadsWhatTheSystemsVisualStylesSay) {
    testing::ControlHost& host = testing::SharedHost();
    const ColorScheme scheme = SystemColorScheme(host.Handle());

    // The same questions asked directly.
    std::wstring expectedName = L"Classic";
    if (const HTHEME theme = OpenThemeData(host.Handle(), L"ExplorerBar")) {
        std::array<wchar_t, 260> file{};
        std::array<wchar_t, 260> colour{};
        GetCurrentThemeName(file.data(), 260, colour.data(), 260, nullptr, 0);
        expectedName = colour.data();
        CloseThemeData(theme);
    }
    EXPECT_EQ(ThemeColorName, expectedName);
    EXPECT_EQ(scheme, SchemeForVisualStyle(IsAppThemed() != FALSE, expectedName));
}

TEST(AutomaticThemeColor, ButtonsAndStripsFollowTheSystemsScheme) {
    testing::ControlHost& host = testing::SharedHost();
    const struct {
        const wchar_t* name;
        bool themed;
        ColorScheme expected;
    } cases[] = {{L"NormalColor", true, ColorScheme::Blue},
                 {L"HomeStead", true, ColorScheme::Olive},
                 {L"NormalColor", false, ColorScheme::Silver}};
    for (const auto& c : cases) {
        FakeVisualStyles::Reset(c.name);
        FakeVisualStyles::Current().themed = c.themed;
        ZID_Button button(host.Handle(), 10, 10, 80);
        JCToolbar toolbar(host.Handle(), 10, 50, 200);
        button.SystemSchemeDetector = &FakeVisualStyles::Detect;
        toolbar.SystemSchemeDetector = &FakeVisualStyles::Detect;
        button.SetThemeColor(1);
        toolbar.SetThemeColor(1);
        button.SetThemeColor(4);
        toolbar.SetThemeColor(4);
        EXPECT_EQ(button.Scheme(), c.expected) << c.name << " themed " << c.themed;
        EXPECT_EQ(GetPixel(button.PicMain().Dc(), 40, 0), ColorsOf(c.expected).faceTop);
        EXPECT_EQ(GetPixel(toolbar.PicGrad().Dc(), 40, 0), ColorsOf(c.expected).faceTop);
    }
}

} // namespace
} // namespace quarrow::controls
