// The main window's commands: one handler per toolbar button, and the Delete key of the entry list.

#include "frmMain.hpp"

#include "AddChosenFiles.hpp"
#include "ArchiveDialogs.hpp"
#include "FormatElapsed.hpp"
#include "RunningCommandAlert.hpp"
#include "StatusTexts.hpp"
#include "UserMessages.hpp"
#include "dlgAbout.hpp"
#include "dlgAddContent.hpp"
#include "dlgHelp.hpp"

#include "ArchiveReader.hpp"
#include "ArchiveWriter.hpp"
#include "Extractor.hpp"
#include "FolderScanner.hpp"
#include "Text.hpp"

#include <new>
#include <stdexcept>

namespace quarrow::app {

namespace {

// The status bar's two texts, put back when a command ends without having done anything.
class StatusSnapshot {
public:
    explicit StatusSnapshot(frmMain& window)
        : window_(window), elapsed_(window.StatusText(kElapsedPanel)), state_(window.StatusText(kStatePanel)) {}
    void Restore() const {
        window_.SetStatusText(kElapsedPanel, elapsed_);
        window_.SetStatusText(kStatePanel, state_);
    }

private:
    frmMain& window_;
    std::wstring elapsed_;
    std::wstring state_;
};

void ReportFinished(frmMain& window, const CommandStatus& status, DWORD start, std::wstring_view finished) {
    window.SetStatusText(kElapsedPanel, std::wstring(status.elapsedLabel) + FormatElapsed(start, GetTickCount()));
    window.SetStatusText(kStatePanel, finished);
}

void ReportFinished(frmMain& window, const CommandStatus& status, DWORD start) {
    ReportFinished(window, status, start, status.finished);
}

} // namespace

void frmMain::RunCommand(ToolbarButton button) {
    switch (button) {
    case ToolbarButton::New: btnNew_Click(); break;
    case ToolbarButton::Open: btnOpen_Click(); break;
    case ToolbarButton::Save: btnSave_Click(); break;
    case ToolbarButton::Extract: btnExtract_Click(); break;
    case ToolbarButton::Help: btnHelp_Click(); break;
    case ToolbarButton::About: btnAbout_Click(); break;
    case ToolbarButton::AddFile: btnAddFile_Click(); break;
    case ToolbarButton::AddFolder: btnAddFolder_Click(); break;
    case ToolbarButton::AddContent: btnAddContent_Click(); break;
    case ToolbarButton::Del: btnDel_Click(); break;
    }
}

void frmMain::btnNew_Click() {
    if (edited_) {
        if (!MayDiscardEdits()) {
            return;
        }
    } else if (workspace_.Count() > 0 && !bSaved_) {
        const int answer = dialogs_.ShowMessage(UnsavedListQuestion(Handle()));
        if (answer == IDYES) {
            // A refused or failed Pack ends New here, keeping what the user has just asked to keep; a
            // cancelled save dialog still lets the list go.
            if (btnSave_Click() == PackOutcome::Failed) {
                return;
            }
        } else if (answer != IDNO) {
            return;
        }
    }
    bSaved_ = false;
    workspace_.Clear();
    lstFile_->Reset();
    ApplyEnableRule(Outcome::New);
    workspace_.SetArchivePath({});
    SetEdited(false);
    SetStatusText(kElapsedPanel, L"");
    SetStatusText(kStatePanel, L"");
}

void frmMain::btnOpen_Click() {
    // The archive opened replaces the list, edits and all.
    if (!MayDiscardEdits()) {
        return;
    }
    // The time includes the open dialog.
    const DWORD start = GetTickCount();
    const std::wstring chosen = AskArchiveToOpen(dialogs_, Handle());
    if (!chosen.empty()) {
        OpenArchiveAt(chosen, start);
    }
}

void frmMain::OpenArchiveFile(const std::wstring& path) {
    RunGuarded([&] { OpenArchiveAt(path, GetTickCount()); });
}

void frmMain::OpenArchiveAt(const std::wstring& path, DWORD start) {
    const ArchiveCheck check = CheckArchive(PathFromWide(path));
    if (!check) {
        dialogs_.ShowMessage(ArchiveRejected(Handle(), check));
        return;
    }
    const StatusSnapshot before(*this);
    // The archive changed, failed to read or did not fit in memory after its check: the workspace is as
    // it was.
    const auto failed = [&](const std::exception& error) {
        lstFile_->Refresh();
        before.Restore();
        dialogs_.ShowMessage(ArchiveLoadFailed(Handle(), check.path, error));
    };
    SetStatusText(kStatePanel, kOpenStatus.running);
    try {
        const auto progress = NewProgressWindow(Handle());
        LoadArchive(workspace_, check.path, check.header, *progress);
    } catch (const InvalidArchive& error) {
        failed(error);
        return;
    } catch (const FileError& error) {
        failed(error);
        return;
    } catch (const std::bad_alloc& error) {
        // Rows for millions of entries, in a 32-bit process: the load made them aside and lost nothing.
        failed(error);
        return;
    } catch (const std::length_error& error) {
        failed(error);
        return;
    }
    lstFile_->Reset();
    ApplyEnableRule(workspace_.Count() > 0 ? Outcome::OpenWithEntries : Outcome::OpenWithoutEntries);
    bSaved_ = true;
    SetEdited(false);
    ReportFinished(*this, kOpenStatus, start);
}

frmMain::PackOutcome frmMain::btnSave_Click() {
    if (workspace_.Count() == 0) {
        return PackOutcome::NothingToPack;
    }
    const std::wstring target = AskPackTarget(dialogs_, Handle());
    if (target.empty()) {
        return PackOutcome::Cancelled;
    }
    return PackInto(target) ? PackOutcome::Packed : PackOutcome::Failed;
}

bool frmMain::PackInto(const std::wstring& target) {
    const DWORD start = GetTickCount();
    const StatusSnapshot before(*this);
    SetStatusText(kStatePanel, kPackStatus.running);
    try {
        const auto progress = NewProgressWindow(Handle());
        PackArchive(workspace_, PathFromWide(target), *progress);
    } catch (const PackError& error) {
        before.Restore();
        dialogs_.ShowMessage(PackRefused(Handle(), error));
        return false;
    } catch (const FileError& error) {
        before.Restore();
        dialogs_.ShowMessage(PackFailed(Handle(), PathFromWide(target), error));
        return false;
    }
    bSaved_ = true; // the new archive is now the current one
    SetEdited(false);
    ApplyEnableRule(Outcome::Pack);
    ReportFinished(*this, kPackStatus, start);
    return true;
}

void frmMain::btnExtract_Click() { ExtractRows(std::nullopt); }

void frmMain::ExtractRows(const std::optional<std::vector<std::size_t>>& positions) {
    txtFolder_ = BrowseFolder();
    if (!txtFolder_.empty()) {
        ExtractRowsInto(positions, PathFromWide(txtFolder_));
    }
}

bool frmMain::ExtractRowsInto(const std::optional<std::vector<std::size_t>>& positions,
                              const std::filesystem::path& destination) {
    const DWORD start = GetTickCount();
    const StatusSnapshot before(*this);
    SetStatusText(kStatePanel, kExtractStatus.running);
    ExtractionResult result;
    try {
        const auto progress = NewProgressWindow(Handle());
        result = positions ? ExtractSelected(workspace_, *positions, workspace_.ArchivePath(), destination, *progress)
                           : ExtractArchive(workspace_, workspace_.ArchivePath(), destination, *progress);
    } catch (const FileError& error) {
        before.Restore();
        dialogs_.ShowMessage(ExtractFailed(Handle(), error));
        return false;
    }
    ReportFinished(*this, kExtractStatus, start);
    if (!result.skipped.empty()) {
        dialogs_.ShowMessage(EntriesSkipped(Handle(), result));
        return false;
    }
    return true;
}

void frmMain::btnAddFile_Click() { AddFilesToList(AskFilesToAdd(dialogs_, Handle()), false); }

void frmMain::AddFilesToList(const std::vector<std::wstring>& paths, bool byName) {
    if (paths.empty()) {
        ApplyEnableRule(Outcome::AddFileCancelled);
    } else if (byName) {
        Workspace incoming;
        std::vector<UnreadableFile> unreadable;
        for (const std::wstring& path : paths) {
            if (const std::error_code error = incoming.AddFileEntry(PathFromWide(path))) {
                unreadable.push_back({path, error});
            }
        }
        MergeIntoList(std::move(incoming), unreadable);
        ApplyEnableRule(Outcome::AddFileConfirmed);
    } else {
        const std::size_t before = workspace_.Count();
        const auto add = [this](const std::wstring& path) { return workspace_.AddFileEntry(PathFromWide(path)); };
        AddChosenFiles(paths, add, *lstFile_, dialogs_, Handle());
        ApplyEnableRule(Outcome::AddFileConfirmed);
        NoteEdit(workspace_.Count() != before);
    }
    lstFile_->SetFocus();
}

void frmMain::btnAddFolder_Click() {
    txtFolder_ = BrowseFolder();
    AddFolderToList(txtFolder_, false);
}

void frmMain::AddFolderToList(const std::wstring& folder, bool byName) {
    const DWORD start = GetTickCount();
    std::int64_t fileCount = 0;
    ScanReport leftOut;
    std::vector<UnreadableFile> unreadable;
    if (!folder.empty()) {
        Workspace incoming;
        {
            const auto progress = NewProgressWindow(Handle());
            const ProgressShown shown(*progress);
            SetStatusText(kStatePanel, kAddFolderStatus.running);
            const std::filesystem::path chosen = PathFromWide(folder);
            const auto directories = CollectDirectories(chosen, *progress, leftOut);
            const auto files = CollectFiles(directories, *progress, leftOut);
            fileCount = AddCollectedFiles(byName ? incoming : workspace_, chosen, files);
        }
        if (byName) {
            MergeIntoList(std::move(incoming), unreadable);
        } else {
            lstFile_->Refresh();
            NoteEdit(fileCount > 0);
        }
        ApplyEnableRule(Outcome::AddFolderChosen);
    } else {
        ApplyEnableRule(Outcome::AddFolderCancelled);
    }
    lstFile_->SetFocus();
    // Reported after a cancelled browse too, with no files.
    ReportFinished(*this, kAddFolderStatus, start, DecimalText(fileCount) + std::wstring(kAddFolderCountSuffix));
    if (!leftOut.Empty()) {
        dialogs_.ShowMessage(FolderPartsLeftOut(Handle(), leftOut));
    }
}

void frmMain::btnAddContent_Click() {
    if (!AddContentWindow()) {
        addContent_ = std::make_unique<dlgAddContent>(*this);
    }
    addContent_->Show();
}

void frmMain::btnDel_Click() {
    const std::vector<std::size_t> selected = lstFile_->SelectedPositions();
    workspace_.RemoveSelectedEntries(selected);
    lstFile_->Reset();
    lstFile_->SetFocus();
    ApplyEnableRule(Outcome::Delete);
    NoteEdit(!selected.empty());
}

void frmMain::btnHelp_Click() { ShowHelpWindow(Handle()); }

void frmMain::btnAbout_Click() { ShowAboutWindow(Handle()); }

void frmMain::lstFile_KeyDown(WORD key) {
    if (key != VK_DELETE || workspace_.Count() == 0) {
        return;
    }
    // The key works whatever the Delete button's state, but not under another command.
    const auto running = busy_.TryEnter();
    if (!running) {
        AlertRunningCommand(Handle());
        return;
    }
    btnDel_Click();
}

} // namespace quarrow::app
