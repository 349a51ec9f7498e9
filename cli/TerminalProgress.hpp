#pragma once
// The progress of an operation as one line on a terminal, redrawn at most ten times a second.

#include "Progress.hpp"

#include <chrono>
#include <string>

namespace quarrow::cli {

class TerminalProgress final : public Progress {
public:
    void Show() override {}
    void Close() override;
    void SetStatus(std::wstring_view text) override { status_ = text; }
    void SetItem(std::wstring_view text) override;
    void SetMin(ProgressBar, std::int64_t) override {}
    void SetMax(ProgressBar, std::int64_t) override {}
    void SetValue(ProgressBar, std::int64_t) override {}
    void SetText(ProgressBar bar, std::wstring_view text) override;
    void SetVisible(ProgressBar, bool) override {}
    void Breathe() override;

private:
    std::wstring status_;
    std::wstring item_;
    std::wstring items_;
    std::wstring stages_;
    std::chrono::steady_clock::time_point lastDrawn_{};
    bool drawn_ = false;
};

} // namespace quarrow::cli
