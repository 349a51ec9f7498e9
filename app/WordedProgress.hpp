#pragma once
// The progress window's wording: what an operation reports (steps, items, counts) turned into the texts
// and numbers the window shows. Each report becomes the window's calls at once and in order, so that
// what the window shows, and when, follows the operation exactly.

#include "ProgressDisplay.hpp"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace quarrow::app {

class WordedProgress final : public Progress {
public:
    // Words the reports into `display`, which outlives this object.
    explicit WordedProgress(ProgressDisplay& display);
    // Words the reports into a display of its own.
    explicit WordedProgress(std::unique_ptr<ProgressDisplay> display);

    void Show() override { display_.Show(); }
    void Close() override { display_.Close(); }
    // The step's status line; the extractor's last one names the entry count ("3 档案解包完成！").
    void SetStep(ProgressStep step) override;
    // The item line as the current step makes it from the item's fields; empty for an empty item.
    void SetItem(const ProgressItem& item) override;
    // The bar from 0 to `total`.
    void SetTotal(ProgressBar bar, std::int64_t total) override;
    // The bar's value, and its text where the current step shows one: "7 / 120", "12%" or
    // "33.3333333333333%".
    void SetDone(ProgressBar bar, std::int64_t done) override;
    void SetVisible(ProgressBar bar, bool visible) override { display_.SetVisible(bar, visible); }
    void Breathe() override { display_.Breathe(); }

private:
    std::unique_ptr<ProgressDisplay> owned_;
    ProgressDisplay& display_;
    std::optional<ProgressStep> step_;
    std::array<std::int64_t, 2> totals_{};
};

} // namespace quarrow::app
