#pragma once
// What the recording progress sinks write down, one line per call, and the ways tests look it up.

#include "Progress.hpp"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quarrow::testing {

class EventLog {
public:
    std::vector<std::string> events;
    // Runs at each breathe, for tests that change the world while an operation is under way.
    std::function<void()> onBreathe;

    // The events that begin with `prefix`, without it: With("items.done ") gives {"1", "2", ...}.
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
            inside = inside || event == first;
            if (inside) {
                if (event == "breathe") {
                    break;
                }
                step.push_back(event);
            }
        }
        return step;
    }

protected:
    void Add(std::string event) { events.push_back(std::move(event)); }
    void AddBreathe() {
        Add("breathe");
        if (onBreathe) {
            onBreathe();
        }
    }
    static std::string Name(ProgressBar bar) { return bar == ProgressBar::Items ? "items" : "stages"; }
};

} // namespace quarrow::testing
