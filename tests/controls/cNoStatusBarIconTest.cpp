#include "StatusBarTestFixture.hpp"

#include "GdiProbe.hpp"
#include "SystemImageList.hpp"

#include <stdexcept>

namespace quarrow::controls::testing {
namespace {

constexpr COLORREF kRed = RGB(250, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr int kIconSize = 16;

bool IconExists(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return false;
    }
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return true;
}

class StatusBarIconTest : public StatusBarTest {
protected:
    void SetUp() override {
        StatusBarTest::SetUp();
        images.Add(SolidIcon(kIconSize, kRed).Get());
        images.Add(SolidIcon(kIconSize, kGreen).Get());
    }

    SystemImageList images{kIconSize, kIconSize};
};

// An image object that holds more images than its system list knows of, and hands them out itself.
class LazyImages final : public IImageListSource {
public:
    explicit LazyImages(SystemImageList& list) : list_(list) {}
    HIMAGELIST Handle() override { return list_.Handle(); }
    int Count() const override { return list_.Count() + 1; }
    int ImageHeight() const override { return 20; }
    win32::UniqueIcon ExtractIcon(int index) override {
        asked.push_back(index);
        if (index > list_.Count()) {
            throw std::runtime_error("no such image");
        }
        return list_.ExtractIcon(index);
    }
    std::vector<int> asked;

private:
    SystemImageList& list_;
};

TEST_F(StatusBarIconTest, AnImageListIconWidensItsPanelAndSitsBeforeTheText) {
    bar.SetAllowXPStyles(false);
    bar.SetImageList(images);
    bar.AddPanel({.text = L"text", .imageIndex = 1, .minWidth = 40, .key = L"ICON"});
    bar.AddPanel({.minWidth = 40});
    ASSERT_NE(bar.PanelhIcon(1), nullptr);
    EXPECT_EQ(bar.GetPanelRect(1), (PixelRect{0, 0, 40 + kIconSize - 1, kHeight}));

    // Classic: 2 from the left, 1 + 4 from the top (half of the 7 pixels the icon leaves, to even).
    Capture capture = Read();
    EXPECT_TRUE(capture.IsFilledWith(kGreen, 2, 5, 2 + kIconSize, 5 + kIconSize));
    EXPECT_NE(capture.At(2, 4), kGreen);
    EXPECT_NE(capture.At(2 + kIconSize, 5), kGreen);

    // Themed: one pixel lower.
    bar.SetAllowXPStyles(true);
    capture = Read();
    EXPECT_TRUE(capture.IsFilledWith(kGreen, 2, 6, 2 + kIconSize, 6 + kIconSize));
    EXPECT_NE(capture.At(2, 5), kGreen);

    bar.SetPanelIcon(1, 0);
    EXPECT_EQ(Read().At(2, 6), kRed);
}

TEST_F(StatusBarIconTest, AnImageIndexWithoutAnImageGivesNoIcon) {
    bar.SetImageList(images.Handle());
    bar.AddPanel({.imageIndex = 5, .minWidth = 40});
    bar.AddPanel({.imageIndex = 1, .minWidth = 40});
    EXPECT_EQ(bar.PanelhIcon(1), nullptr);
    EXPECT_NE(bar.PanelhIcon(2), nullptr);
    EXPECT_EQ(bar.GetPanelRect(1).right, 39);
}

TEST_F(StatusBarIconTest, AnObjectWithImagesItsListLacksHandsOutTheIconsItself) {
    LazyImages lazy(images);
    bar.SetImageList(lazy);
    bar.AddPanel({.imageIndex = 0, .minWidth = 40});
    bar.AddPanel({.imageIndex = 2, .minWidth = 40});
    EXPECT_EQ(lazy.asked, (std::vector<int>{1, 3})) << "the object counts its images from 1";
    EXPECT_NE(bar.PanelhIcon(1), nullptr);
    EXPECT_EQ(bar.PanelhIcon(2), nullptr) << "an image the object cannot give is no icon";
    EXPECT_EQ(bar.GetPanelRect(1).right, 40 + 20 - 1) << "icons are as large as the object says";
}

TEST_F(StatusBarIconTest, ThePanelOwnsItsIconUntilReplacedRemovedOrTheBarEnds) {
    HICON replaced = nullptr;
    HICON removed = nullptr;
    HICON remaining = nullptr;
    {
        cNoStatusBar owner;
        owner.Create(picture);
        owner.AddPanel({.key = L"A"});
        owner.AddPanel({.key = L"B"});
        owner.SetPanelhIcon(L"A", SolidIcon(kIconSize, kRed));
        replaced = owner.PanelhIcon(L"A");
        owner.SetPanelhIcon(L"A", SolidIcon(kIconSize, kGreen));
        EXPECT_FALSE(IconExists(replaced));
        remaining = owner.PanelhIcon(L"A");

        owner.SetPanelhIcon(L"B", SolidIcon(kIconSize, kRed));
        removed = owner.PanelhIcon(L"B");
        owner.RemovePanel(L"B");
        EXPECT_FALSE(IconExists(removed));

        owner.SetPanelhIcon(L"A", win32::UniqueIcon(remaining));
        EXPECT_TRUE(IconExists(remaining)) << "giving a panel its own icon again keeps it";
    }
    EXPECT_FALSE(IconExists(remaining));
}

TEST_F(StatusBarIconTest, DrawingAndIconsLeakNoGdiObjects) {
    const auto exercise = [&] {
        cNoStatusBar icons;
        icons.Create(picture);
        icons.SetImageList(images);
        icons.SetSizeGrip(true);
        for (int i = 0; i < 20; ++i) {
            icons.AddPanel({.text = L"就绪", .imageIndex = i % 2, .minWidth = 20});
        }
        icons.SetPanelIcon(1, 1);
        icons.SetAllowXPStyles(false);
        icons.SetPanelhIcon(2, SolidIcon(kIconSize, kGreen));
        icons.RemovePanel(3);
    };
    exercise();
    const int before = quarrow::testing::FreeGdiSlots();
    for (int round = 0; round < 3; ++round) {
        exercise();
    }
    EXPECT_EQ(quarrow::testing::FreeGdiSlots(), before);
}

} // namespace
} // namespace quarrow::controls::testing
