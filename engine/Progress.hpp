#pragma once
// What a long archive operation reports to the person waiting for it: which step runs, the item at
// hand, and two counts, one over the items of the step and one over the stages or directories. The
// engine says what happens, never how it reads: the program's progress window words each step in its
// own texts, the command line in its own short line, and tests record the events. Operations report
// every item; the front ends decide what to show and how often to repaint.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quarrow {

// Every step an operation reports, operation by operation in the order they take them.
enum class ProgressStep {
    // Open.
    ReadingIndex,
    IndexRead,
    // Pack.
    AssigningOffsets,
    CopyingContents,
    WritingStructure,
    WritingIndex,
    // Extract.
    ReadingArchive,
    ExtractingEntries,
    Extracted,
    // Add folder.
    SearchingFolders,
    ListingFiles,
    FilesListed,
    // Append content.
    AppendStarting,
    ReadingSource,
    WritingArchive,
};
inline constexpr std::size_t kProgressStepCount = 15;

// The item at hand by the roles it plays; what an operation does not name stays empty. An item with
// every field empty clears what the front end shows of the last one.
struct ProgressItem {
    std::wstring_view archive{};           // the archive being read or written
    std::wstring_view storedName{};        // an entry's name inside the archive
    std::wstring_view source{};            // a file read from the disk
    std::wstring_view destination{};       // a file written to the disk
    std::wstring_view destinationFolder{}; // the folder it is written into

    bool Empty() const {
        return archive.empty() && storedName.empty() && source.empty() && destination.empty() &&
               destinationFolder.empty();
    }
};

enum class ProgressBar {
    Items,  // the items of the current step
    Stages, // the steps of the operation, or the directories of a folder scan
};

class Progress {
public:
    virtual ~Progress() = default;

    // The display appears fresh for each operation (nothing of the last one shown, the stages bar
    // visible) and goes away when the operation ends, whether it succeeded or not.
    virtual void Show() = 0;
    virtual void Close() = 0;

    virtual void SetStep(ProgressStep step) = 0;
    virtual void SetItem(const ProgressItem& item) = 0;

    // A bar counts from 0 to `total`; `done` says how far it has come.
    virtual void SetTotal(ProgressBar bar, std::int64_t total) = 0;
    virtual void SetDone(ProgressBar bar, std::int64_t done) = 0;
    virtual void SetVisible(ProgressBar bar, bool visible) = 0;

    // Called where the operation lets the message loop run once, so that the display can repaint.
    virtual void Breathe() = 0;
};

// For callers that show nothing.
class NullProgress final : public Progress {
public:
    void Show() override {}
    void Close() override {}
    void SetStep(ProgressStep) override {}
    void SetItem(const ProgressItem&) override {}
    void SetTotal(ProgressBar, std::int64_t) override {}
    void SetDone(ProgressBar, std::int64_t) override {}
    void SetVisible(ProgressBar, bool) override {}
    void Breathe() override {}
};

// Shows the display for the life of one operation and closes it on every way out.
class ProgressShown {
public:
    explicit ProgressShown(Progress& progress) : progress_(progress) { progress_.Show(); }
    ~ProgressShown() { progress_.Close(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    Progress& progress_;
};

} // namespace quarrow
