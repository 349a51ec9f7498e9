#pragma once
// A progress window that writes down every call, so that tests can compare the exact texts and numbers,
// and their order, with what the window is meant to show.

#include "ProgressDisplay.hpp"
#include "Text.hpp"

#include <functional>
#include <string>
#include <vector>

namespace quarrow::app::testing {

class DisplayRecorder : public ProgressDisplay {
public:
    // Every call as one line: "status 读取PAK文件内容", "items.text 1 / 3", "stages.visible 0", "breathe".
    std::vector<std::string> events;
    // Runs at each breathe, for tests that change the world while an operation is under way.
    std::function<void()> onBreathe;

    void Show() override { Add("show"); }
    void Close() override { Add("close"); }
    void SetStatus(std::wstring_view text) override { Add("status " + Utf8FromWide(text)); }
    void SetItem(std::wstring_view text) override { Add("item " + Utf8FromWide(text)); }
    void SetMin(ProgressBar bar, std::int64_t value) override { Add(Name(bar) + ".min " + std::to_string(value)); }
    void SetMax(ProgressBar bar, std::int64_t value) override { Add(Name(bar) + ".max " + std::to_string(value)); }
    void SetValue(ProgressBar bar, std::int64_t value) override { Add(Name(bar) + ".value " + std::to_string(value)); }
    void SetText(ProgressBar bar, std::wstring_view text) override { Add(Name(bar) + ".text " + Utf8FromWide(text)); }
    void SetVisible(ProgressBar bar, bool visible) override { Add(Name(bar) + ".visible " + (visible ? "1" : "0")); }
    void Breathe() override {
        Add("breathe");
        if (onBreathe) {
            onBreathe();
        }
    }

    // The events that begin with `prefix`, without it: With("items.text ") gives {"1 / 3", ...}.
    std::vector<std::string> With(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& event : events) {
            if (event.starts_with(prefix)) {
                found.push_back(event.substr(prefix.size()));
            }
        }
        return found;
    }

    // The events from the first one equal to `first` on, up to (not including) the next "breathe".
    std::vector<std::string> StepFrom(const std::string& first) const {
        std::vector<std::string> step;
        bool inside = false;
        for (const auto& event : events) {
            if (!inside && event == first) {
                inside = true;
            }
            if (inside) {
                if (event == "breathe") {
                    break;
                }
                step.push_back(event);
            }
        }
        return step;
    }

private:
    void Add(std::string event) { events.push_back(std::move(event)); }
    static std::string Name(ProgressBar bar) { return bar == ProgressBar::Items ? "items" : "stages"; }
};

} // namespace quarrow::app::testing
