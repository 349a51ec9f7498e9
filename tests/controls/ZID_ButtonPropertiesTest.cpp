// The button's settings: what its setters report, what it saves and loads.

#include "ZID_Button.hpp"

#include "ControlHost.hpp"
#include "SurfaceTestSupport.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::controls {
namespace {

class ZID_ButtonProperties : public ::testing::Test {
protected:
    void SetUp() override {
        button.PropertyChanged = [this](std::wstring_view name) { changed.emplace_back(name); };
    }

    testing::ControlHost& host = testing::SharedHost();
    ZID_Button button{host.Handle(), 10, 10, 90};
    std::vector<std::wstring> changed;
};

Picture SomeIcon() {
    return Picture::FromIcon(testing::MaskedIcon(
        16, 16, [](int, int) { return RGB(0, 128, 0); }, [](int, int) { return true; }));
}

TEST_F(ZID_ButtonProperties, EverySetterReportsItsProperty) {
    button.SetState(4);
    button.SetValue(1);
    button.SetEnabled(false);
    button.SetCaption(L"解包PAK文件");
    button.SetIsCheckButton(true);
    button.SetIsDropDown(true);
    button.SetPicture(SomeIcon());
    button.SetThemeColor(2);
    EXPECT_EQ(changed, (std::vector<std::wstring>{L"State", L"Value", L"Enabled", L"Caption", L"IsCheckButton",
                                                  L"IsDropDown", L"Picture", L"ThemeColor"}));
    EXPECT_EQ(button.State(), 4);
    EXPECT_EQ(button.Value(), 1);
    EXPECT_FALSE(button.Enabled());
    EXPECT_EQ(button.Caption(), L"解包PAK文件");
    EXPECT_TRUE(button.IsCheckButton());
    EXPECT_TRUE(button.IsDropDown());
    EXPECT_TRUE(button.Picture());
    EXPECT_EQ(button.ThemeColor(), 2);
}

TEST_F(ZID_ButtonProperties, EnabledRepaintsNothingWhileOtherSettersRepaintStateZero) {
    const HDC face = button.PicMain().Dc();
    SetPixelV(face, 3, 3, RGB(1, 2, 3));
    button.SetEnabled(false);
    button.SetEnabled(true);
    EXPECT_EQ(GetPixel(face, 3, 3), RGB(1, 2, 3));
    button.SetValue(0);
    EXPECT_NE(GetPixel(face, 3, 3), RGB(1, 2, 3));
}

TEST_F(ZID_ButtonProperties, AFirstPlacementIsEnabledAndCaptionedWithItsNameAndSavesOnlyThat) {
    button.SetEnabled(false);
    button.InitProperties(L"btnOpen");
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Caption(), L"btnOpen");
    EXPECT_EQ(button.ThemeColor(), 4);
    PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), std::vector<std::wstring>{L"Caption"});
}

TEST_F(ZID_ButtonProperties, SettingsSurviveASaveAndLoadInTheirOrderButValueIsNotSaved) {
    button.SetState(4);
    button.SetValue(1);
    button.SetEnabled(false);
    button.SetCaption(L"附加档案内容");
    button.SetIsCheckButton(true);
    button.SetIsDropDown(true);
    const Picture icon = SomeIcon();
    button.SetPicture(icon);
    button.SetThemeColor(0);
    PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"State", L"Enabled", L"Caption", L"IsCheckButton", L"IsDropDown",
                                                     L"Picture", L"ThemeColor"}));

    ZID_Button loaded(host.Handle(), 10, 40, 90);
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.State(), 4);
    EXPECT_EQ(loaded.Value(), 0);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_EQ(loaded.Caption(), L"附加档案内容");
    EXPECT_TRUE(loaded.IsCheckButton());
    EXPECT_TRUE(loaded.IsDropDown());
    EXPECT_TRUE(loaded.Picture() == icon);
    EXPECT_EQ(loaded.ThemeColor(), 0);
    EXPECT_EQ(loaded.Scheme(), ColorScheme::Blue);
    EXPECT_EQ(GetPixel(loaded.PicMain().Dc(), 5, 5), RGB(76, 76, 76)) << "loaded disabled: green 128 turns gray 76";
}

TEST_F(ZID_ButtonProperties, MissingKeysLoadAsTheDefaultsWithNoCaption) {
    button.InitProperties(L"btnNew");
    button.SetThemeColor(2);
    button.ReadProperties(PropertyBag());
    EXPECT_EQ(button.State(), 0);
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Caption(), L"");
    EXPECT_FALSE(button.IsCheckButton());
    EXPECT_FALSE(button.IsDropDown());
    EXPECT_FALSE(button.Picture());
    EXPECT_EQ(button.ThemeColor(), 4);
}

TEST_F(ZID_ButtonProperties, ASavedStateBeyondSixteenBitsIsRefusedAndChangesNothing) {
    button.SetCaption(L"kept");
    PropertyBag bag;
    bag.Write(L"Caption", std::wstring(L"lost"), std::wstring());
    bag.Write(L"State", std::int32_t{70000}, std::int32_t{0});
    EXPECT_THROW(button.ReadProperties(bag), std::invalid_argument);
    EXPECT_EQ(button.Caption(), L"kept");
    EXPECT_EQ(button.State(), 0);
}

} // namespace
} // namespace quarrow::controls
