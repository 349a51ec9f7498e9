// Finding rows by a name pattern, and opening a row in its own program with the change taken back.

#include "frmMain.hpp"

#include "EntryFinder.hpp"
#include "StatusTexts.hpp"
#include "UserMessages.hpp"
#include "dlgFind.hpp"

#include "ExtractPath.hpp"
#include "Extractor.hpp"
#include "Text.hpp"

namespace quarrow::app {

namespace fs = std::filesystem;

void frmMain::FindRows() {
    if (const std::optional<std::wstring> pattern = AskFindPattern(Handle(), findPattern_)) {
        SelectMatchingRows(*pattern);
    }
    lstFile_->SetFocus();
}

void frmMain::SelectMatchingRows(const std::wstring& pattern) {
    findPattern_ = pattern;
    const std::vector<std::size_t> rows = EntryFinder(pattern).MatchingRows(workspace_);
    lstFile_->SelectOnly(rows);
    if (rows.empty()) {
        SetStatusText(kStatePanel, kNothingFoundText);
        return;
    }
    lstFile_->FocusRow(rows.front());
    SetStatusText(kStatePanel, FoundText(rows.size()));
}

void frmMain::FindNext() {
    if (findPattern_.empty()) {
        FindRows();
        return;
    }
    const std::size_t from = lstFile_->FocusedRow().value_or(0);
    if (const auto next = EntryFinder(findPattern_).NextMatch(workspace_, from)) {
        lstFile_->FocusRow(*next);
    } else {
        SetStatusText(kStatePanel, kNothingFoundText);
    }
}

void frmMain::OpenRow(std::size_t position) {
    if (position < 1 || position > workspace_.Count()) {
        return;
    }
    const WorkspaceEntry& entry = workspace_.Entry(position);
    // Not in any archive yet, the user edits the file that will be packed; a copy taken back before is
    // opened again, and stays watched as it is.
    if (entry.FromDisk() || (!entry.source.empty() && opened_.Find(entry.source))) {
        if (const std::error_code error = OpenInOwnProgram(Handle(), entry.source)) {
            dialogs_.ShowMessage(FileNotOpened(Handle(), entry.source, error));
        }
        return;
    }
    const std::wstring storedName = entry.storedName;
    const fs::path folder = scratch_.NewFolder();
    const fs::path file = CopyOfEntry(position, folder);
    const std::optional<FileStamp> stamp = file.empty() ? std::nullopt : StampOf(file);
    if (!stamp) {
        scratch_.Remove(folder);
        return;
    }
    // Watched before the program starts, which may save at once.
    opened_.Watch({workspace_.ArchivePath(), storedName, position, file, *stamp});
    if (const std::error_code error = OpenInOwnProgram(Handle(), file)) {
        opened_.Forget(file);
        scratch_.Remove(folder);
        dialogs_.ShowMessage(FileNotOpened(Handle(), file, error));
    }
}

fs::path frmMain::CopyOfEntry(std::size_t position, const fs::path& folder) {
    const WorkspaceEntry& entry = workspace_.Entry(position);
    const fs::path file = TargetFor(folder, entry.storedName).file;
    const auto failed = [&](const dialogs::MessageRequest& message) {
        dialogs_.ShowMessage(message);
        return fs::path();
    };
    if (entry.source.empty()) {
        // The bytes lie in the archive: written out as Extract writes them.
        ExtractionResult result;
        try {
            const auto progress = NewProgressWindow(Handle());
            const std::size_t positions[] = {position};
            result = ExtractSelected(workspace_, positions, workspace_.ArchivePath(), folder, *progress);
        } catch (const FileError& error) {
            return failed(ExtractFailed(Handle(), error));
        }
        return result.skipped.empty() ? file : failed(EntriesSkipped(Handle(), result));
    }
    // Replaced by a file since: a copy of that file, so that the user's own file is not what changes.
    if (const auto problem = CheckStoredName(entry.storedName)) {
        ExtractionResult refused;
        refused.skipped.push_back({position, entry.storedName, SkipReason::UnsafeName, *problem, {}});
        return failed(EntriesSkipped(Handle(), refused));
    }
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (!error) {
        fs::copy_file(entry.source, file, error);
    }
    if (error) {
        return failed(FilesNotAdded(Handle(), {{WideFromPath(entry.source), error}}));
    }
    return file;
}

void frmMain::PostCopiesCheck() {
    if (opened_.Count() > 0 && !copiesCheckPosted_ && Handle()) {
        copiesCheckPosted_ = PostMessageW(Handle(), kCopiesCheckMessage, 0, 0) != FALSE;
    }
}

void frmMain::TakeBackChangedCopies() {
    copiesCheckPosted_ = false;
    // Under a command (its dialogs activate the window too) or a question of this check, which the
    // busy flag covers as well: the copies are looked at again at the next activation.
    if (opened_.Count() == 0 || busy_.Busy()) {
        return;
    }
    RunGuarded([&] {
        for (const OpenedCopy& copy : opened_.Changed()) {
            const std::optional<std::size_t> row = RowOfCopy(copy, workspace_);
            if (!row) {
                opened_.Forget(copy.file); // the list no longer holds the entry
            } else if (dialogs_.ShowMessage(CopyChanged(Handle(), copy.storedName)) == IDYES) {
                TakeBack(copy, *row);
            } else {
                opened_.Forget(copy.file);
            }
        }
    });
}

void frmMain::TakeBack(const OpenedCopy& copy, std::size_t row) {
    // As Replace does with the file the user picks.
    if (const std::error_code error = workspace_.ReplaceEntryData(row, copy.file)) {
        dialogs_.ShowMessage(FilesNotAdded(Handle(), {{WideFromPath(copy.file), error}}));
        return;
    }
    opened_.TakenBack(copy.file);
    lstFile_->Refresh();
    NoteEdit(true);
}

bool frmMain::MayLeaveChangedCopies() {
    for (const OpenedCopy& copy : opened_.Changed()) {
        const std::optional<std::size_t> row = RowOfCopy(copy, workspace_);
        if (!row) {
            continue;
        }
        switch (dialogs_.ShowMessage(CopyChangedAtClose(Handle(), copy.storedName))) {
        case IDYES: TakeBack(copy, *row); break;
        case IDNO: opened_.Forget(copy.file); break;
        default: return false;
        }
    }
    return true;
}

} // namespace quarrow::app
