#include "ContentAppender.hpp"

#include "File.hpp"
#include "PakFormat.hpp"
#include "StreamCopy.hpp"
#include "SystemMessage.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

namespace quarrow {

std::wstring AppendedBlock::AddressText() const {
    return LongToHex(static_cast<std::int32_t>(first)) + L"h - " + LongToHex(static_cast<std::int32_t>(last)) + L"h";
}

std::string Describe(const AppendOutcome& outcome) {
    if (outcome.block) {
        return "appended";
    }
    switch (outcome.skip) {
    case AppendSkip::Unreadable: return "cannot read it: " + SystemMessage(outcome.error);
    case AppendSkip::ArchiveTooLarge: return "the archive would be larger than 2,147,483,647 bytes";
    }
    return "skipped";
}

AppendRefused::AppendRefused(std::filesystem::path archive, std::int64_t wouldBe)
    : std::runtime_error("cannot append to " + Utf8FromWide(WideFromPath(archive)) + ": it would grow to " +
                         std::to_string(wouldBe) + " bytes, beyond 2,147,483,647"),
      archive_(std::move(archive)), wouldBe_(wouldBe) {}

namespace {

inline constexpr std::uint8_t kLineBreak[] = {0x0D, 0x0A};
inline constexpr std::int64_t kLineBreakSize = sizeof kLineBreak;

// The sizes as they are now, so that a run that cannot fit is refused before it starts.
void RefuseWhatCannotFit(const std::filesystem::path& archive, std::int64_t start,
                         const std::vector<std::filesystem::path>& files) {
    std::int64_t end = start;
    for (const auto& file : files) {
        std::error_code error;
        const auto size = std::filesystem::file_size(file, error);
        if (!error) {
            end += kLineBreakSize + static_cast<std::int64_t>(size);
        }
    }
    if (end > kMaxOffset) {
        throw AppendRefused(archive, end);
    }
}

// Cuts the archive back when a write into it fails, then lets the failure go on.
class RollBack {
public:
    RollBack(File& archive, std::uint64_t length) : archive_(archive), length_(length) {}
    ~RollBack() {
        if (!done_) {
            try {
                archive_.Truncate(length_);
            } catch (const FileError&) {
                // Nothing better can be done here; the write's own failure is reported.
            }
        }
    }
    RollBack(const RollBack&) = delete;
    RollBack& operator=(const RollBack&) = delete;
    void Done() { done_ = true; }

private:
    File& archive_;
    std::uint64_t length_;
    bool done_ = false;
};

} // namespace

std::vector<AppendOutcome> AppendContents(const std::filesystem::path& archivePath,
                                          const std::vector<std::filesystem::path>& files, Progress& progress) {
    File archive = File::Open(archivePath, File::Mode::ReadWrite);
    if (!archive.TryLockExclusive()) {
        throw FileError(FileOperation::Open, archivePath, HeldByAnotherWriter());
    }
    const auto startLength = static_cast<std::int64_t>(archive.Size());
    RefuseWhatCannotFit(archivePath, startLength, files);

    const ProgressShown shown(progress);
    const auto n = static_cast<std::int64_t>(files.size());
    progress.SetVisible(ProgressBar::Stages, false);
    progress.SetTotal(ProgressBar::Items, n);
    progress.SetStep(ProgressStep::AppendStarting);
    progress.SetItem({});

    const std::wstring archiveText = WideFromPath(archivePath);

    RollBack rollBack(archive, static_cast<std::uint64_t>(startLength));
    std::vector<std::uint8_t> buffer;
    std::vector<AppendOutcome> outcomes;
    std::int64_t position = startLength;
    for (std::int64_t i = 1; i <= n; ++i) {
        AppendOutcome outcome;
        outcome.source = files[static_cast<std::size_t>(i - 1)];
        progress.SetStep(ProgressStep::ReadingSource);
        const std::wstring sourceText = WideFromPath(outcome.source);
        progress.SetItem({.source = sourceText});
        std::optional<File> source;
        std::int64_t size = 0;
        try {
            source = File::Open(outcome.source, File::Mode::Read);
            size = static_cast<std::int64_t>(source->Size());
        } catch (const FileError& error) {
            outcome.error = error.Code();
        }
        progress.SetStep(ProgressStep::WritingArchive);
        progress.SetItem({.archive = archiveText});
        if (source && position + kLineBreakSize + size > kMaxOffset) {
            outcome.skip = AppendSkip::ArchiveTooLarge;
        } else if (source) {
            const auto at = static_cast<std::uint64_t>(position);
            archive.WriteAt(at, kLineBreak, sizeof kLineBreak);
            try {
                CopyRange(*source, 0, archive, at + kLineBreakSize, static_cast<std::uint64_t>(size), buffer);
                outcome.block = AppendedBlock{position + kLineBreakSize, position + 1 + size};
                position += kLineBreakSize + size;
            } catch (const FileError& error) {
                if (error.Path() == archivePath) {
                    throw;
                }
                // The file shrank or failed while it was read: drop its partial block.
                archive.Truncate(at);
                outcome.error = error.Code();
            }
        }
        outcomes.push_back(std::move(outcome));
        progress.SetDone(ProgressBar::Items, i);
        progress.Breathe();
    }
    rollBack.Done();
    archive.Close();
    return outcomes;
}

} // namespace quarrow
