#include "ModalOwner.hpp"

#include "MessagePump.hpp"
#include "ModalWindow.hpp"

#include <vector>

namespace quarrow::testing {

namespace {

constexpr wchar_t kOwnerClass[] = L"QuarrowTestModalOwner";
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 50;
constexpr int kGraceTicks = 10'000 / kTickMs;

} // namespace

ModalOwner::ModalOwner(const RECT& frame) {
    RegisterWindowClass(kOwnerClass, 0, GetSysColorBrush(COLOR_APPWORKSPACE));
    CreateHandle(0, kOwnerClass, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, frame.left, frame.top,
                 frame.right - frame.left, frame.bottom - frame.top, nullptr);
    UpdateWindow(Handle());
    win32::PumpPendingMessages();
}

ModalOwner::~ModalOwner() { DestroyHandle(); }

bool ModalOwner::WhileShown(const wchar_t* className, const std::function<void()>& show,
                            const std::function<void(HWND)>& inspect) {
    className_ = className;
    inspect_ = inspect;
    shown_ = nullptr;
    ticksLeft_ = kGraceTicks;
    inspected_ = false;
    graceRanOut_ = false;
    SetTimer(Handle(), kTimerId, kTickMs, nullptr);
    struct TimerStop {
        HWND window;
        ~TimerStop() { KillTimer(window, kTimerId); }
    } stop{Handle()};
    show();
    return inspected_ && !graceRanOut_;
}

void ModalOwner::OnTick() {
    if (!inspected_) {
        const std::vector<HWND> owned = app::OwnedWindows(Handle(), className_);
        const HWND window = owned.empty() ? nullptr : owned.front();
        if (!window || !IsWindowVisible(window)) {
            if (--ticksLeft_ <= 0) {
                KillTimer(Handle(), kTimerId);
                graceRanOut_ = true;
            }
            return;
        }
        inspected_ = true;
        shown_ = window;
        ticksLeft_ = kGraceTicks;
        inspect_(window);
        return;
    }
    if (IsWindow(shown_) && --ticksLeft_ <= 0) {
        graceRanOut_ = true;
        KillTimer(Handle(), kTimerId);
        CloseByCloseBox(shown_);
    }
}

LRESULT ModalOwner::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTimerId) {
        OnTick();
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

ModalOwner& SharedOwner() {
    static ModalOwner owner;
    return owner;
}

void CloseByCloseBox(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

} // namespace quarrow::testing
