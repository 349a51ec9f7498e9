#include "WordedProgress.hpp"

#include "Text.hpp"

#include <cstdio>
#include <string>

namespace quarrow::app {

namespace {

// How the item line is made from the item's fields. The extractor's names the file written after "源文件："
// and, on a second line, its folder after "目的地：". The packer's names the file read, or for an entry
// whose bytes come from an archive, the archive and the entry's name in it.
enum class ItemLine { Blank, Archive, StoredName, Source, SourceOrEntry, ExtractTarget };

// The text a bar shows beside its value: none, "7 / 120", the writer's whole "12%" or the appender's
// "33.3333333333333%".
enum class BarText { None, Count, WholePercent, PrecisePercent };

struct StepWording {
    ProgressStep step;
    std::wstring_view status;
    bool countFirst; // the status line begins with the items bar's total
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
    {Step::CopyingContents, L"打包档案内容：", false, SourceOrEntry, WholePercent, None},
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

// One row per step, in the steps' order, so that a step's row is found by its value.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kWordings); ++i) {
        if (static_cast<std::size_t>(kWordings[i].step) != i) {
            return false;
        }
    }
    return std::size(kWordings) == kProgressStepCount;
}());

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
    case SourceOrEntry:
        if (item.source.empty()) {
            return std::wstring(item.archive) + L"：" + std::wstring(item.storedName);
        }
        return std::wstring(item.source);
    case ExtractTarget:
        return L"源文件：" + std::wstring(item.destination) + L"\r\n目的地：" + std::wstring(item.destinationFolder);
    }
    return {};
}

// Rounded to the nearest whole number with ties to even, in integers: a double would place ties such as
// 37.5 right only by luck of representation.
std::wstring WholePercentText(std::int64_t done, std::int64_t total) {
    std::int64_t quotient = done * 100 / total;
    const std::int64_t remainder = done * 100 % total;
    if (2 * remainder > total || (2 * remainder == total && quotient % 2 != 0)) {
        ++quotient;
    }
    return DecimalText(quotient) + L"%";
}

// Up to 15 significant digits, without trailing zeros.
std::wstring PrecisePercentText(std::int64_t done, std::int64_t total) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.15G", static_cast<double>(done) / static_cast<double>(total) * 100.0);
    return WideFromUtf8(digits) + L"%";
}

} // namespace

WordedProgress::WordedProgress(ProgressDisplay& display) : display_(display) {}

WordedProgress::WordedProgress(std::unique_ptr<ProgressDisplay> display)
    : owned_(std::move(display)), display_(*owned_) {}

void WordedProgress::SetStep(ProgressStep step) {
    step_ = step;
    const StepWording& wording = WordingOf(step_);
    if (wording.countFirst) {
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
    case Count: display_.SetText(bar, DecimalText(done) + L" / " + DecimalText(total)); break;
    case WholePercent: display_.SetText(bar, WholePercentText(done, total)); break;
    case PrecisePercent: display_.SetText(bar, PrecisePercentText(done, total)); break;
    }
}

} // namespace quarrow::app
