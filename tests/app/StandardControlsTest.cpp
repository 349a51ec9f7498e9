#include "StandardControls.hpp"

#include "ModalOwner.hpp"
#include "WindowFacts.hpp"

#include <gtest/gtest.h>

namespace quarrow::app {
namespace {

using testing::ClientSize;
using testing::TextExtent;

// A child control of the shared owner, destroyed at the end of the test.
class ChildOfOwner {
public:
    explicit ChildOfOwner(HWND control) : control_(control) {}
    ~ChildOfOwner() { DestroyWindow(control_); }
    ChildOfOwner(const ChildOfOwner&) = delete;
    ChildOfOwner& operator=(const ChildOfOwner&) = delete;
    HWND Get() const { return control_; }

private:
    HWND control_;
};

HWND Owner() { return testing::SharedOwner().Handle(); }

TEST(FitLabelToText, WidensAndHeightensALabelTooSmallForItsTextOnOneLine) {
    const ChildOfOwner label(CreateLabel(Owner(), 1, L"版本 10.12.345 (一个很长的版本说明)",
                                         TwipsRect{150, 150, 600, 150},
                                         static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    const RECT before = testing::RectInParent(label.Get());
    FitLabelToText(label.Get());
    const RECT after = testing::RectInParent(label.Get());
    EXPECT_EQ(after.left, before.left) << "the corner stays";
    EXPECT_EQ(after.top, before.top);
    const SIZE text = TextExtent(label.Get());
    EXPECT_GE(ClientSize(label.Get()).cx, text.cx);
    EXPECT_GE(ClientSize(label.Get()).cy, text.cy);
}

TEST(FitLabelToText, LeavesALabelWithRoomToSpareAsItIs) {
    const ChildOfOwner label(CreateLabel(Owner(), 1, L"编程", TwipsRect{150, 150, 3000, 600},
                                         static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    const SIZE before = ClientSize(label.Get());
    FitLabelToText(label.Get());
    const SIZE after = ClientSize(label.Get());
    EXPECT_EQ(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);
}

} // namespace
} // namespace quarrow::app
