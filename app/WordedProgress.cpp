#include "WordedProgress.hpp"

#include "ProgressText.hpp"
#include "Text.hpp"

#include <optional>
#include <string>

namespace quarrow::app {

namespace {

// How the item line is made from the item's fields.
enum class ItemLine {
    Blank,
    Archive,
    StoredName,
    Source,
    ExtractTarget, // "源文件：" and the file written, then on a second line "目的地：" and its folder
};

// The text a bar shows beside its value.
enum class BarText {
    None,
    Count,          // "7 / 120"
    WholePercent,   // "12%"
    PrecisePercent, // "33.3333333333333%"
};

struct StepWording {
    ProgressStep step;
    std::wstring_view status;
    bool statusAfterItemCount; // the status line begins with the items bar's total
    ItemLine item;
    BarText items;
    BarText stages;
};

using enum ItemLine;
using enum BarText;
using Step = ProgressStep;
constexpr StepWording kWordings[] = {
    // Open.
    {Step::ReadingIndex, L"读取PAK文件内容", false, StoredName, Count, None},
    {Step::IndexRead, L"读取完毕，请等待。。。", false, Blank, None, None},
    // Pack: no text while the offsets are assigned, and a whole percentage while writing.
    {Step::AssigningOffsets, L"整理档案索引", false, Blank, None, None},
    {Step::CopyingContents, L"打包档案内容：", false, Source, WholePercent, None},
    {Step::WritingStructure, L"写入PAK构造", false, Blank, None, None},
    {Step::WritingIndex, L"写入索引：", false, StoredName, WholePercent, None},
    // Extract.
    {Step::ReadingArchive, L"读取PAK内容：", false, Archive, None, None},
    {Step::ExtractingEntries, L"解包PAK内容：", false, ExtractTarget, Count, None},
    {Step::Extracted, L" 档案解包完成！", true, Blank, None, None},
    // Add folder: the files of the current directory, and the directories.
    {Step::SearchingFolders, L"搜索目录", false, Blank, None, None},
    {Step::ListingFiles, L"增加档案：", false, Source, Count, Count},
    {Step::FilesListed, L"读取完毕，请等待。。。", false, Blank, None, None},
    // Append content: the percentage is not rounded.
    {Step::AppendStarting, L"", false, Blank, None, None},
    {Step::ReadingSource, L"读取档案：", false, Source, PrecisePercent, None},
    {Step::WritingArchive, L"写入PAK文件：", false, Archive, PrecisePercent, None},
};

constexpr bool OneRowPerStepInOrder() {
    for (std::size_t i = 0; i < std::size(kWordings); ++i) {
        if (static_cast<std::size_t>(kWordings[i].step) != i) {
            return false;
        }
    }
    return std::size(kWordings) == kProgressStepCount;
}
static_assert(OneRowPerStepInOrder());

// Before the first step nothing is worded.
constexpr StepWording kNoStep{Step::ReadingIndex, L"", false, Blank, None, None};
const StepWording& WordingOf(std::optional<ProgressStep> step) {
    return step ? kWordings[static_cast<std::size_t>(*step)] : kNoStep;
}

std::size_t Index(ProgressBar bar) { return static_cast<std::size_t>(bar); }

std::wstring ItemText(ItemLine line, const ProgressItem& item) {
    switch (line) {
    case Blank: return {};
    case Archive: return std::wstring(item.archive);
    case StoredName: return std::wstring(item.storedName);
    case Source: return std::wstring(item.source);
    case ExtractTarget:
        return L"源文件：" + std::wstring(item.destination) + L"\r\n目的地：" + std::wstring(item.destinationFolder);
    }
    return {};
}

} // namespace

WordedProgress::WordedProgress(ProgressDisplay& display) : display_(display) {}

WordedProgress::WordedProgress(std::unique_ptr<ProgressDisplay> display)
    : owned_(std::move(display)), display_(*owned_) {}

void WordedProgress::SetStep(ProgressStep step) {
    step_ = step;
    const StepWording& wording = WordingOf(step_);
    if (wording.statusAfterItemCount) {
        display_.SetStatus(DecimalText(totals_[Index(ProgressBar::Items)]) + std::wstring(wording.status));
    } else {
        display_.SetStatus(wording.status);
    }
}

void WordedProgress::SetItem(const ProgressItem& item) {
    display_.SetItem(item.Empty() ? std::wstring() : ItemText(WordingOf(step_).item, item));
}

void WordedProgress::SetTotal(ProgressBar bar, std::int64_t total) {
    totals_[Index(bar)] = total;
    display_.SetMin(bar, 0);
    display_.SetMax(bar, total);
}

void WordedProgress::SetDone(ProgressBar bar, std::int64_t done) {
    display_.SetValue(bar, done);
    const StepWording& wording = WordingOf(step_);
    const std::int64_t total = totals_[Index(bar)];
    if (total <= 0) {
        return; // no share of nothing
    }
    switch (bar == ProgressBar::Items ? wording.items : wording.stages) {
    case None: break;
    case Count: display_.SetText(bar, CountText(done, total)); break;
    case WholePercent: display_.SetText(bar, WholePercentText(done, total)); break;
    case PrecisePercent: display_.SetText(bar, PrecisePercentText(done, total)); break;
    }
}

} // namespace quarrow::app
