#pragma once
// A progress window that writes down every call, so that tests can compare the exact texts and numbers,
// and their order, with what the window is meant to show.

#include "EventLog.hpp"
#include "ProgressDisplay.hpp"
#include "Text.hpp"

#include <string>

namespace quarrow::app::testing {

// Every call as one line: "status 读取PAK文件内容", "items.text 1 / 3", "stages.visible 0", "breathe".
class DisplayRecorder : public ProgressDisplay, public quarrow::testing::EventLog {
public:
    void Show() override { Add("show"); }
    void Close() override { Add("close"); }
    void SetStatus(std::wstring_view text) override { Add("status " + Utf8FromWide(text)); }
    void SetItem(std::wstring_view text) override { Add("item " + Utf8FromWide(text)); }
    void SetMin(ProgressBar bar, std::int64_t value) override { Add(Name(bar) + ".min " + std::to_string(value)); }
    void SetMax(ProgressBar bar, std::int64_t value) override { Add(Name(bar) + ".max " + std::to_string(value)); }
    void SetValue(ProgressBar bar, std::int64_t value) override { Add(Name(bar) + ".value " + std::to_string(value)); }
    void SetText(ProgressBar bar, std::wstring_view text) override { Add(Name(bar) + ".text " + Utf8FromWide(text)); }
    void SetVisible(ProgressBar bar, bool visible) override { Add(Name(bar) + ".visible " + (visible ? "1" : "0")); }
    void Breathe() override { AddBreathe(); }
};

// Hands every call on to another progress window, which outlives it.
class ForwardingDisplay : public ProgressDisplay {
public:
    explicit ForwardingDisplay(ProgressDisplay& target) : target_(target) {}
    void Show() override { target_.Show(); }
    void Close() override { target_.Close(); }
    void SetStatus(std::wstring_view text) override { target_.SetStatus(text); }
    void SetItem(std::wstring_view text) override { target_.SetItem(text); }
    void SetMin(ProgressBar bar, std::int64_t value) override { target_.SetMin(bar, value); }
    void SetMax(ProgressBar bar, std::int64_t value) override { target_.SetMax(bar, value); }
    void SetValue(ProgressBar bar, std::int64_t value) override { target_.SetValue(bar, value); }
    void SetText(ProgressBar bar, std::wstring_view text) override { target_.SetText(bar, text); }
    void SetVisible(ProgressBar bar, bool visible) override { target_.SetVisible(bar, visible); }
    void Breathe() override { target_.Breathe(); }

private:
    ProgressDisplay& target_;
};

} // namespace quarrow::app::testing
