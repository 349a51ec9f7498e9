#include "ucVertical3DLine.hpp"

#include "ControlHost.hpp"
#include "DibCanvas.hpp"

#include <gtest/gtest.h>

namespace quarrow::controls {
namespace {

constexpr COLORREF kGray = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);

char Groove(COLORREF c) { return c == kGray ? 'G' : c == kWhite ? 'W' : '.'; }

TEST(ucVertical3DLine, StaysNinetyTwipsWideAndAsHighAsPlaced) {
    ucVertical3DLine line(testing::SharedHost().Handle(), 10, 10, 25);
    RECT client{};
    GetClientRect(line.Handle(), &client);
    EXPECT_EQ(client.right, 6);
    EXPECT_EQ(client.bottom, 25);
    MoveWindow(line.Handle(), 10, 10, 40, 60, TRUE);
    GetClientRect(line.Handle(), &client);
    EXPECT_EQ(client.right, 6);
    EXPECT_EQ(client.bottom, 60);
    EXPECT_EQ(line.Line1()[0], (VerticalLine{0, 0, 60, kGray})) << "the lines run the new height";
    EXPECT_EQ(line.Line1()[1], (VerticalLine{1, 1, 60, kWhite}));
}

TEST(ucVertical3DLine, PaintsAGrayLineAndAWhiteOneAPixelLower) {
    ucVertical3DLine line(testing::SharedHost().Handle(), 10, 10, 5);
    testing::DibCanvas canvas(6, 5);
    SendMessageW(line.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    EXPECT_EQ(canvas.Render(0, 0, 5, 4, Groove), "G.....\n"
                                                 "GW....\n"
                                                 "GW....\n"
                                                 "GW....\n"
                                                 "GW....\n");
}

TEST(ucVertical3DLine, LetsWhatLiesBehindShowBesideTheGroove) {
    testing::ControlHost& host = testing::SharedHost();
    ucVertical3DLine line(host.Handle(), 10, 10, 25);
    RedrawWindow(host.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const auto at = [&](int x, int y) { return testing::ScreenPixel(testing::OnScreen(line.Handle(), x, y)); };
    testing::PumpUntil([&] { return at(0, 0) == kGray && at(1, 24) == kWhite; });
    EXPECT_EQ(at(0, 0), kGray);
    EXPECT_EQ(at(0, 24), kGray);
    EXPECT_EQ(at(1, 24), kWhite);
    EXPECT_EQ(at(1, 0), testing::ControlHost::kBackground);
    for (int x = 2; x < 6; ++x) {
        EXPECT_EQ(at(x, 12), testing::ControlHost::kBackground) << x;
    }
}

} // namespace
} // namespace quarrow::controls
