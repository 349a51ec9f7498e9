// Whatever bytes arrive are opened as an archive, listed, extracted into a scratch folder, checked, and
// updated into a new archive there (one entry replaced, one added), as a modder's download would be.
// Besides the sanitizers' findings, the run stops on any file or folder that the engine creates, opens
// for writing or replaces outside that folder, on anything left beside the folder afterwards, on an
// update that does not keep every other entry's name and size, and on any exception other than the
// engine's own reports.
#include "ArchiveHealth.hpp"
#include "ArchiveReader.hpp"
#include "ArchiveWriter.hpp"
#include "Extractor.hpp"
#include "FileFaults.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace quarrow {
namespace {

[[noreturn]] void FuzzFinding(const std::string& what, const std::filesystem::path& path) {
    std::fprintf(stderr, "archive fuzzer: %s: %s\n", what.c_str(), Utf8FromWide(WideFromPath(path)).c_str());
    std::abort();
}

// The scratch folder lies a few levels below a root of its own, so that a name that climbed out of it
// would land where the check after every input finds it.
class Scratch {
public:
    Scratch() {
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0;; ++attempt) {
            root_ = base / ("quarrow-fuzz-" + std::to_string(std::random_device()()));
            if (std::filesystem::create_directory(root_)) {
                break;
            }
            if (attempt == 100) {
                FuzzFinding("cannot make a scratch folder in", base);
            }
        }
        box_ = root_ / "a" / "b" / "c" / "box";
        std::filesystem::create_directories(box_);
        archive_ = box_ / "input.pak";
        destination_ = box_ / "out";
        destinationText_ = WideFromPath(destination_.lexically_normal());
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& Archive() const { return archive_; }
    const std::filesystem::path& Destination() const { return destination_; }

    bool InsideDestination(const std::filesystem::path& path) const {
        const std::wstring text = WideFromPath(std::filesystem::absolute(path).lexically_normal());
        return text.starts_with(destinationText_) &&
               (text.size() == destinationText_.size() || text[destinationText_.size()] == L'/' ||
                text[destinationText_.size()] == L'\\');
    }

    // A folder on the way down to the destination, which exists before the run.
    bool LeadsToDestination(const std::filesystem::path& path) const {
        std::wstring text = WideFromPath(std::filesystem::absolute(path).lexically_normal());
        while (!text.empty() && (text.back() == L'/' || text.back() == L'\\')) {
            text.pop_back();
        }
        return destinationText_.starts_with(text);
    }

    // Everything the run made is below the destination, which is then emptied.
    void CheckAndClear() const {
        for (const auto& item : std::filesystem::recursive_directory_iterator(root_)) {
            const auto& path = item.path();
            if (path != archive_ && !InsideDestination(path) && !LeadsToDestination(path)) {
                FuzzFinding("left outside the destination", path);
            }
        }
        std::filesystem::remove_all(destination_);
    }

private:
    std::filesystem::path root_;
    std::filesystem::path box_;
    std::filesystem::path archive_;
    std::filesystem::path destination_;
    std::wstring destinationText_;
};

// Watches every write the engine begins.
class WriteFence final : public FileFaults {
public:
    explicit WriteFence(const Scratch& scratch) : scratch_(scratch) {}

    void BeforeOpen(const std::filesystem::path& path, File::Mode mode) override {
        if (mode != File::Mode::Read && !scratch_.InsideDestination(path)) {
            FuzzFinding("opened for writing outside the destination", path);
        }
    }
    void BeforeOperation(FileOperation operation, const std::filesystem::path& path) override {
        if (operation == FileOperation::Replace && !scratch_.InsideDestination(path)) {
            FuzzFinding("replaced outside the destination", path);
        }
    }
    bool BeforeCreateDirectory(const std::filesystem::path& path) override {
        if (!scratch_.InsideDestination(path) && !scratch_.LeadsToDestination(path)) {
            FuzzFinding("created a folder outside the destination", path);
        }
        return true;
    }

private:
    const Scratch& scratch_;
};

// Replaces the first entry's data and adds a file, then reads the result back: a pack that the engine
// does not refuse must hold the same entries under the same name fields.
void Update(const Scratch& scratch, Workspace workspace) {
    const auto replacement = scratch.Destination() / "replacement";
    const auto updated = scratch.Destination() / "updated.pak";
    std::filesystem::create_directories(scratch.Destination());
    std::ofstream(replacement, std::ios::binary) << "replaced";
    if (workspace.Count() > 0 && workspace.ReplaceEntryData(1, replacement)) {
        FuzzFinding("cannot replace with", replacement);
    }
    workspace.AddFolderEntry(replacement, L"ADDED.BIN", 8);
    NullProgress progress;
    try {
        PackArchive(workspace, updated, progress);
    } catch (const PackError&) {
        return; // what cannot be served is refused before anything is written
    }
    const ArchiveCheck check = CheckArchive(updated);
    if (!check) {
        FuzzFinding("an update that is no archive", updated);
    }
    Workspace reread;
    LoadArchive(reread, updated, check.header, progress);
    if (reread.Count() != workspace.Count()) {
        FuzzFinding("an update that lost or gained entries", updated);
    }
    for (std::size_t position = 1; position <= reread.Count(); ++position) {
        const WorkspaceEntry& before = workspace.Entry(position);
        const WorkspaceEntry& after = reread.Entry(position);
        const NameField expected =
            before.nameField ? *before.nameField : std::get<NameField>(EncodeNameField(before.storedName));
        if (after.size != before.size || after.nameField != expected) {
            FuzzFinding("an update that changed an entry", updated);
        }
    }
}

void Run(const Scratch& scratch, const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(scratch.Archive(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    WriteFence fence(scratch);
    const ScopedFileFaults watched(fence);
    const ArchiveCheck check = CheckArchive(scratch.Archive());
    if (!check) {
        (void)Describe(*check.problem);
        return;
    }
    Workspace workspace;
    NullProgress progress;
    LoadArchive(workspace, scratch.Archive(), check.header, progress);
    std::size_t shown = 0;
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        for (int column = 1; column <= 4; ++column) {
            shown += workspace.MasterText(position, column).size();
        }
        for (int column = 1; column <= 3; ++column) {
            shown += workspace.VisibleText(position, column).size();
        }
    }
    const ExtractionResult result = ExtractArchive(workspace, scratch.Archive(), scratch.Destination(), progress);
    for (const SkippedEntry& skipped : result.skipped) {
        shown += Describe(skipped).size();
    }
    if (result.written + result.skipped.size() != workspace.Count()) {
        FuzzFinding("entries neither written nor skipped in", scratch.Archive());
    }
    for (const Finding& finding : InspectArchive(workspace, check.header, check.fileSize)) {
        shown += finding.entries.size() + (IsProblem(finding.kind) ? 1 : 0);
    }
    Update(scratch, std::move(workspace));
    (void)shown;
}

} // namespace
} // namespace quarrow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const quarrow::Scratch scratch;
    quarrow::Run(scratch, data, size);
    scratch.CheckAndClear();
    return 0;
}
