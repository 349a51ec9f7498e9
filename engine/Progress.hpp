#pragma once
// What a long archive operation tells the person waiting for it, in the terms of the progress window:
// a status line (lblStatus), an item line (lblFile) and two bars, PBar for the items of the current
// stage and PBar2 for the stages or directories. Operations report every step; the window, the
// command line and the tests decide what to show and how often to repaint.

#include <cstdint>
#include <string_view>

namespace quarrow {

enum class ProgressBar {
    Items,  // PBar
    Stages, // PBar2
};

class Progress {
public:
    virtual ~Progress() = default;

    // The window appears fresh for each operation (both labels at their initial text, PBar2 visible)
    // and goes away when the operation ends, whether it succeeded or not.
    virtual void Show() = 0;
    virtual void Close() = 0;

    virtual void SetStatus(std::wstring_view text) = 0;
    virtual void SetItem(std::wstring_view text) = 0;

    virtual void SetMin(ProgressBar bar, std::int64_t value) = 0;
    virtual void SetMax(ProgressBar bar, std::int64_t value) = 0;
    virtual void SetValue(ProgressBar bar, std::int64_t value) = 0;
    virtual void SetText(ProgressBar bar, std::wstring_view text) = 0;
    virtual void SetVisible(ProgressBar bar, bool visible) = 0;

    // Called where the operation lets the message loop run once, so that the window can repaint.
    virtual void Breathe() = 0;
};

// For callers that show nothing.
class NullProgress final : public Progress {
public:
    void Show() override {}
    void Close() override {}
    void SetStatus(std::wstring_view) override {}
    void SetItem(std::wstring_view) override {}
    void SetMin(ProgressBar, std::int64_t) override {}
    void SetMax(ProgressBar, std::int64_t) override {}
    void SetValue(ProgressBar, std::int64_t) override {}
    void SetText(ProgressBar, std::wstring_view) override {}
    void SetVisible(ProgressBar, bool) override {}
    void Breathe() override {}
};

// Shows the window for the life of one operation and closes it on every way out.
class ProgressShown {
public:
    explicit ProgressShown(Progress& progress) : progress_(progress) { progress_.Show(); }
    ~ProgressShown() { progress_.Close(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    Progress& progress_;
};

} // namespace quarrow
