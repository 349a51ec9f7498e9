#pragma once
// A progress sink that writes down every call, so that tests can compare the steps, counts and items
// an operation reports with the ones it is meant to report.

#include "EventLog.hpp"
#include "Text.hpp"

#include <string>
#include <utility>

namespace quarrow::testing {

// Every call as one line: "step ReadingIndex", "item stored=A.BIN", "item " (an empty item), "items.total 3",
// "items.done 1", "stages.visible 0", "breathe".
class ProgressRecorder : public Progress, public EventLog {
public:
    void Show() override { Add("show"); }
    void Close() override { Add("close"); }
    void SetStep(ProgressStep step) override { Add("step " + std::string(StepName(step))); }
    void SetItem(const ProgressItem& item) override { Add("item " + Fields(item)); }
    void SetTotal(ProgressBar bar, std::int64_t total) override { Add(Name(bar) + ".total " + std::to_string(total)); }
    void SetDone(ProgressBar bar, std::int64_t done) override { Add(Name(bar) + ".done " + std::to_string(done)); }
    void SetVisible(ProgressBar bar, bool visible) override { Add(Name(bar) + ".visible " + (visible ? "1" : "0")); }
    void Breathe() override { AddBreathe(); }

private:
    // The named fields, "role=value" with a space between.
    static std::string Fields(const ProgressItem& item) {
        const std::pair<const char*, std::wstring_view> fields[] = {{"archive=", item.archive},
                                                                    {"stored=", item.storedName},
                                                                    {"source=", item.source},
                                                                    {"destination=", item.destination},
                                                                    {"folder=", item.destinationFolder}};
        std::string text;
        for (const auto& [role, value] : fields) {
            if (!value.empty()) {
                text += (text.empty() ? "" : " ") + std::string(role) + Utf8FromWide(value);
            }
        }
        return text;
    }

    static std::string_view StepName(ProgressStep step) {
        switch (step) {
        case ProgressStep::ReadingIndex: return "ReadingIndex";
        case ProgressStep::IndexRead: return "IndexRead";
        case ProgressStep::AssigningOffsets: return "AssigningOffsets";
        case ProgressStep::CopyingContents: return "CopyingContents";
        case ProgressStep::WritingStructure: return "WritingStructure";
        case ProgressStep::WritingIndex: return "WritingIndex";
        case ProgressStep::ReadingArchive: return "ReadingArchive";
        case ProgressStep::ExtractingEntries: return "ExtractingEntries";
        case ProgressStep::Extracted: return "Extracted";
        case ProgressStep::SearchingFolders: return "SearchingFolders";
        case ProgressStep::ListingFiles: return "ListingFiles";
        case ProgressStep::FilesListed: return "FilesListed";
        case ProgressStep::AppendStarting: return "AppendStarting";
        case ProgressStep::ReadingSource: return "ReadingSource";
        case ProgressStep::WritingArchive: return "WritingArchive";
        }
        return "?";
    }
};

} // namespace quarrow::testing
