#pragma once
// The progress of an operation as one short English line on a terminal ("Reading index 1234/100000
// DATA\X.BIN"), redrawn at most ten times a second, as wide as the terminal is at the time.

#include "Progress.hpp"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace quarrow::cli {

class TerminalProgress final : public Progress {
public:
    void Show() override;
    void Close() override;
    void SetStep(ProgressStep step) override { step_ = step; }
    void SetItem(const ProgressItem& item) override;
    void SetTotal(ProgressBar bar, std::int64_t total) override;
    void SetDone(ProgressBar bar, std::int64_t done) override { done_[static_cast<std::size_t>(bar)] = done; }
    void SetVisible(ProgressBar, bool) override {}
    void Breathe() override;

private:
    std::optional<ProgressStep> step_;
    std::wstring item_;
    std::array<std::int64_t, 2> totals_{};
    std::array<std::int64_t, 2> done_{};
    std::chrono::steady_clock::time_point lastDrawn_{};
    std::size_t drawnColumns_ = 0; // how wide the drawn line is, 0 when none is drawn
};

} // namespace quarrow::cli
