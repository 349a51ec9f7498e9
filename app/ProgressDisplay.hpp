#pragma once
// The progress window in its own terms: a status line (lblStatus), an item line (lblFile) and two bars,
// PBar for the items of the current step and PBar2 for the steps or directories, each with its Min,
// Max, Value, Text and Visible. WordedProgress fills it from what an operation reports.

#include "Progress.hpp"

#include <cstdint>
#include <string_view>

namespace quarrow::app {

class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;

    // The window appears fresh for each operation (both labels at their initial text, PBar2 visible)
    // and goes away when the operation ends.
    virtual void Show() = 0;
    virtual void Close() = 0;

    virtual void SetStatus(std::wstring_view text) = 0;
    virtual void SetItem(std::wstring_view text) = 0;

    virtual void SetMin(ProgressBar bar, std::int64_t value) = 0;
    virtual void SetMax(ProgressBar bar, std::int64_t value) = 0;
    virtual void SetValue(ProgressBar bar, std::int64_t value) = 0;
    virtual void SetText(ProgressBar bar, std::wstring_view text) = 0;
    virtual void SetVisible(ProgressBar bar, bool visible) = 0;

    // Where the operation lets the message loop run once, so that the window can repaint.
    virtual void Breathe() = 0;
};

} // namespace quarrow::app
