#include "TerminalProgress.hpp"

#include "Console.hpp"
#include "PrintableText.hpp"
#include "TerminalColumns.hpp"
#include "Text.hpp"

#include <algorithm>

namespace quarrow::cli {

namespace {

constexpr auto kInterval = std::chrono::milliseconds(100);

// What the line says of each step, and which bar it counts: the folder scan counts directories.
struct StepLine {
    std::wstring_view words;
    ProgressBar counted = ProgressBar::Items;
};

StepLine LineOf(ProgressStep step) {
    switch (step) {
    case ProgressStep::ReadingIndex: return {L"Reading index"};
    case ProgressStep::IndexRead: return {L"Index read"};
    case ProgressStep::AssigningOffsets: return {L"Placing entries"};
    case ProgressStep::CopyingContents: return {L"Packing"};
    case ProgressStep::WritingStructure: return {L"Writing header"};
    case ProgressStep::WritingIndex: return {L"Writing index"};
    case ProgressStep::ReadingArchive: return {L"Opening"};
    case ProgressStep::ExtractingEntries: return {L"Extracting"};
    case ProgressStep::Extracted: return {L"Extracted"};
    case ProgressStep::SearchingFolders: return {L"Searching folders", ProgressBar::Stages};
    case ProgressStep::ListingFiles: return {L"Listing folder", ProgressBar::Stages};
    case ProgressStep::FilesListed: return {L"Folders listed", ProgressBar::Stages};
    case ProgressStep::AppendStarting: return {L"Appending"};
    case ProgressStep::ReadingSource: return {L"Reading"};
    case ProgressStep::WritingArchive: return {L"Appending to"};
    }
    return {};
}

} // namespace

void TerminalProgress::Show() {
    step_.reset();
    item_.clear();
    totals_ = {};
    done_ = {};
}

void TerminalProgress::SetItem(const ProgressItem& item) {
    // The file at hand is worth the line: the one written, else the one read, else the entry or archive.
    for (const std::wstring_view field : {item.destination, item.source, item.storedName, item.archive}) {
        if (!field.empty()) {
            item_ = Printable(field);
            return;
        }
    }
    item_.clear();
}

void TerminalProgress::SetTotal(ProgressBar bar, std::int64_t total) {
    totals_[static_cast<std::size_t>(bar)] = total;
    done_[static_cast<std::size_t>(bar)] = 0;
}

void TerminalProgress::Breathe() {
    const auto now = std::chrono::steady_clock::now();
    if (!step_ || (drawnColumns_ != 0 && now - lastDrawn_ < kInterval)) {
        return;
    }
    lastDrawn_ = now;
    const StepLine step = LineOf(*step_);
    std::wstring line(step.words);
    const auto counted = static_cast<std::size_t>(step.counted);
    if (totals_[counted] > 0) {
        line += L" " + DecimalText(done_[counted]) + L"/" + DecimalText(totals_[counted]);
    }
    if (!item_.empty()) {
        line += L" " + item_;
    }
    // The last column stays free: a terminal that wraps there would start a new line.
    const std::size_t columns = std::max<std::size_t>(TerminalColumns(Stream::Err), 2) - 1;
    // Appended rather than concatenated: "\r" + std::string trips a false -Wrestrict in GCC 12's
    // optimised builds.
    std::string text = "\r";
    text += Utf8FromWide(FitColumns(line, columns));
    if (columns < drawnColumns_) {
        // The terminal narrowed: what the last line left beyond the new width is cleared too.
        text += std::string(drawnColumns_ - columns, ' ');
    }
    Write(Stream::Err, text);
    drawnColumns_ = columns;
}

void TerminalProgress::Close() {
    if (drawnColumns_ != 0) {
        std::string blank = "\r"; // appended, not concatenated: see Breathe
        blank.append(drawnColumns_, ' ');
        blank += '\r';
        Write(Stream::Err, blank);
        drawnColumns_ = 0;
    }
}

} // namespace quarrow::cli
