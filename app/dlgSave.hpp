#pragma once
// The progress window ("处理中。。。") that every long operation shows while it works: the step in
// lblStatus, the item in lblFile, the items of the step on PBar and the steps or directories on PBar2.
// Each operation gets the window fresh: Show creates it with every control at its initial content and
// Close destroys it. It is owned by the window that runs the operation, centred on it, and leaves it
// enabled.
//
// Operations report every step; the window keeps the latest of each value and shows them at most
// every kRepaintIntervalMs (and at once when the step changes or the window closes), letting the
// message loop run only then, so that repainting never dominates the work.

#include "ProgressDisplay.hpp"
#include "ProgressWindowFactory.hpp"
#include "SecondaryWindow.hpp"

#include "Gdi.hpp"
#include "lumoProgressBar.hpp"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace quarrow::app {

class dlgSave final : public SecondaryWindow, public ProgressDisplay {
public:
    static constexpr wchar_t kCaption[] = L"处理中。。。";
    static constexpr wchar_t kClassName[] = L"dlgSave";
    static constexpr ULONGLONG kRepaintIntervalMs = 40;

    explicit dlgSave(HWND owner);
    ~dlgSave() override;

    // The factory the program's windows use.
    static ProgressWindowFactory Factory();

    void Show() override;
    void Close() override;
    void SetStatus(std::wstring_view text) override;
    void SetItem(std::wstring_view text) override;
    void SetMin(ProgressBar bar, std::int64_t value) override;
    void SetMax(ProgressBar bar, std::int64_t value) override;
    void SetValue(ProgressBar bar, std::int64_t value) override;
    void SetText(ProgressBar bar, std::wstring_view text) override;
    void SetVisible(ProgressBar bar, bool visible) override;
    void Breathe() override;

    // What the window shows now (not what was last reported, until the next repaint).
    HWND lblStatus() const { return lblStatus_; }
    HWND lblFile() const { return lblFile_; }
    const controls::lumoProgressBar* PBar() const { return bars_[0].get(); }
    const controls::lumoProgressBar* PBar2() const { return bars_[1].get(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct BarContent {
        std::int32_t min = 0;
        std::int32_t max = 100;
        std::int32_t value = 0;
        std::wstring text;
        bool visible = true;
    };
    struct Content {
        std::wstring status = L"Compressing";
        std::wstring item;
        std::array<BarContent, 2> bars;
    };

    void CreateControls();
    void ShowNow();
    BarContent& Wanted(ProgressBar bar) { return wanted_.bars[static_cast<std::size_t>(bar)]; }

    HWND owner_;
    Content wanted_;
    Content shown_;
    bool stepChanged_ = false;
    ULONGLONG lastShown_ = 0;
    win32::UniqueFont labelFont_;
    HWND lblStatus_ = nullptr;
    HWND lblFile_ = nullptr;
    std::array<std::unique_ptr<controls::lumoProgressBar>, 2> bars_;
};

} // namespace quarrow::app
