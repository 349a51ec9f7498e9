#pragma once
// An owner for the modal windows under test: a visible top-level window at a known place. While a
// modal window runs its own message loop, the owner's timer looks for the window of a given class that
// it owns and, once that shows, hands it to the test's inspection. Whatever the inspection leaves open
// is closed after a grace time, so that a failed inspection cannot hang the test program.

#include "Window.hpp"

#include <windows.h>

#include <functional>

namespace quarrow::testing {

class ModalOwner : public win32::Window {
public:
    explicit ModalOwner(const RECT& frame = {160, 120, 800, 640});
    ~ModalOwner() override;

    // Runs `show`, which opens a modal window of `className` owned by this window and returns when it
    // has closed. While the window shows, `inspect` is called once with it; the inspection closes it
    // (or makes it close). Returns whether the inspection ran and the window closed without the grace
    // time running out.
    bool WhileShown(const wchar_t* className, const std::function<void()>& show,
                    const std::function<void(HWND)>& inspect);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnTick();

    const wchar_t* className_ = nullptr;
    std::function<void(HWND)> inspect_;
    HWND shown_ = nullptr;
    int ticksLeft_ = 0;
    bool inspected_ = false;
    bool graceRanOut_ = false;
};

// One owner for a whole test program: destroying a visible window costs Wine two seconds.
ModalOwner& SharedOwner();

// Closes a window as its close box does.
void CloseByCloseBox(HWND window);

} // namespace quarrow::testing
