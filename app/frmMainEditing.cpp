// Editing an opened archive's list: the list's context menu and its commands, files dropped onto the
// window, and the question that keeps unsaved edits from being lost.

#include "frmMain.hpp"

#include "ArchiveDialogs.hpp"
#include "UserMessages.hpp"

#include "ArchiveHealth.hpp"
#include "ArchiveReader.hpp"
#include "Handles.hpp"
#include "MergeEntries.hpp"
#include "Text.hpp"

#include <windowsx.h>

namespace quarrow::app {

namespace {

// Where a menu asked for from the keyboard opens: below the focused row, or the list's corner when no
// row is in view.
POINT KeyboardMenuPoint(HWND list) {
    int row = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    if (row < 0) {
        row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    }
    RECT client{};
    GetClientRect(list, &client);
    RECT item{};
    POINT at{client.left + 16, client.top + 24};
    if (row >= 0 && ListView_GetItemRect(list, row, &item, LVIR_LABEL) && item.bottom > client.top &&
        item.top < client.bottom) {
        at = {item.left + 16, item.bottom};
    }
    ClientToScreen(list, &at);
    return at;
}

bool IsFolder(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::is_directory(PathFromWide(path), error);
}

bool HasPakExtension(const std::wstring& path) {
    return ToUpperInvariant(WideFromPath(PathFromWide(path).extension())) == L".PAK";
}

} // namespace

ListSelection frmMain::CurrentSelection() const {
    ListSelection selection{workspace_.Count(), 0, 0};
    for (const std::size_t position : lstFile_->SelectedPositions()) {
        ++selection.selected;
        if (workspace_.Entry(position).dataOffset) {
            ++selection.selectedInArchive;
        }
    }
    return selection;
}

void frmMain::ShowListMenu(LPARAM where) {
    // Under a running command the menu would offer what cannot start.
    if (busy_.Busy()) {
        return;
    }
    const POINT at =
        where == -1 ? KeyboardMenuPoint(lstFile_->Handle()) : POINT{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    const win32::UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return;
    }
    const ListSelection selection = CurrentSelection();
    for (const ListMenuItem& item : ListMenuItems()) {
        if (item.separatorBefore) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        }
        const UINT state = ListMenuItemEnabled(item.command, selection) ? MF_ENABLED : MF_GRAYED;
        AppendMenuW(menu.Get(), MF_STRING | state, static_cast<UINT_PTR>(item.command),
                    std::wstring(item.caption).c_str());
    }
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, Handle(), nullptr));
    if (chosen != 0) {
        ChooseFromListMenu(static_cast<ListMenuCommand>(chosen));
    }
}

void frmMain::ChooseFromListMenu(ListMenuCommand command) {
    if (!ListMenuItemEnabled(command, CurrentSelection())) {
        return;
    }
    RunGuarded([&] {
        switch (command) {
        case ListMenuCommand::ExtractSelected: ExtractSelectedRows(); break;
        case ListMenuCommand::ReplaceData: ReplaceSelectedRow(); break;
        case ListMenuCommand::AddFiles: AddFilesToList(AskFilesToAdd(dialogs_, Handle()), ArchiveIsCurrent()); break;
        case ListMenuCommand::AddFolder:
            txtFolder_ = BrowseFolder();
            AddFolderToList(txtFolder_, ArchiveIsCurrent());
            break;
        case ListMenuCommand::Delete: btnDel_Click(); break;
        case ListMenuCommand::SaveAs: SaveAsPak(); break;
        case ListMenuCommand::Open: OpenRow(lstFile_->SelectedPositions().at(0)); break;
        case ListMenuCommand::Find: FindRows(); break;
        }
    });
}

std::vector<std::size_t> frmMain::SelectedArchiveRows() const {
    // Rows added or replaced since have no bytes in the archive yet.
    std::vector<std::size_t> inArchive;
    for (const std::size_t position : lstFile_->SelectedPositions()) {
        if (workspace_.Entry(position).dataOffset) {
            inArchive.push_back(position);
        }
    }
    return inArchive;
}

void frmMain::ExtractSelectedRows() { ExtractRows(SelectedArchiveRows()); }

void frmMain::ReplaceSelectedRow() {
    const std::vector<std::size_t> selected = lstFile_->SelectedPositions();
    const std::wstring file = AskReplacementFile(dialogs_, Handle());
    if (!file.empty()) {
        if (const std::error_code error = workspace_.ReplaceEntryData(selected.at(0), PathFromWide(file))) {
            dialogs_.ShowMessage(FilesNotAdded(Handle(), {{file, error}}));
        } else {
            lstFile_->Refresh();
            NoteEdit(true);
        }
    }
    lstFile_->SetFocus();
}

void frmMain::MergeIntoList(Workspace&& incoming, std::vector<UnreadableFile>& unreadable) {
    const MergeResult merged = MergeEntries(workspace_, incoming);
    if (!merged.clashes.empty()) {
        dialogs_.ShowMessage(NamesClash(Handle(), merged.clashes));
        return;
    }
    for (const MergeFailure& failure : merged.failures) {
        unreadable.push_back({WideFromPath(failure.source), failure.error});
    }
    lstFile_->Refresh();
    NoteEdit(merged.replaced + merged.appended > 0);
    if (!unreadable.empty()) {
        dialogs_.ShowMessage(FilesNotAdded(Handle(), unreadable));
    }
}

namespace {

// Judged against the archive as it is on the disk, every entry of its index included: the list may
// have lost some since, whose bytes are meant to go.
std::vector<ByteRange> BytesASaveDrops(const std::filesystem::path& archive) {
    const ArchiveCheck check = CheckArchive(archive);
    if (!check) {
        return {};
    }
    try {
        Workspace opened;
        NullProgress quiet;
        LoadArchive(opened, archive, check.header, quiet);
        return BytesARewriteDrops(opened, check.header, check.fileSize);
    } catch (const std::exception&) {
        return {}; // the pack itself meets and reports what is wrong with it
    }
}

} // namespace

bool frmMain::SaveAsPak() {
    if (workspace_.Count() == 0) {
        return false;
    }
    std::wstring offered = kNewPakName;
    if (ArchiveIsCurrent()) {
        offered = WideFromPath(workspace_.ArchivePath().filename());
        const std::vector<ByteRange> dropped = BytesASaveDrops(workspace_.ArchivePath());
        if (!dropped.empty()) {
            const int answer =
                dialogs_.ShowMessage(AppendedContentWouldBeDropped(Handle(), workspace_.ArchivePath(), dropped));
            if (answer != IDYES) {
                return false;
            }
        }
    }
    const std::wstring target = AskPackTarget(dialogs_, Handle(), offered);
    return !target.empty() && PackInto(target);
}

bool frmMain::MayDiscardEdits() {
    if (!edited_) {
        return true;
    }
    switch (dialogs_.ShowMessage(UnsavedListQuestion(Handle()))) {
    case IDYES: return SaveAsPak();
    case IDNO: return true;
    default: return false;
    }
}

void frmMain::NoteEdit(bool changed) {
    if (changed && ArchiveIsCurrent() && !edited_) {
        SetEdited(true);
    }
}

void frmMain::DropFiles(const std::vector<std::wstring>& paths) {
    if (paths.empty()) {
        return;
    }
    RunGuarded([&] {
        // One archive onto a list that holds nothing unsaved opens it, as Open would.
        const bool nothingUnsaved = workspace_.Count() == 0 || (bSaved_ && !edited_);
        if (paths.size() == 1 && nothingUnsaved && HasPakExtension(paths[0]) && !IsFolder(paths[0])) {
            OpenArchiveAt(paths[0], GetTickCount());
            return;
        }
        std::vector<std::wstring> files;
        std::vector<std::wstring> folders;
        for (const std::wstring& path : paths) {
            (IsFolder(path) ? folders : files).push_back(path);
        }
        if (!files.empty()) {
            AddFilesToList(files, ArchiveIsCurrent());
        }
        for (const std::wstring& folder : folders) {
            AddFolderToList(folder, ArchiveIsCurrent());
        }
    });
}

void frmMain::OnDropFiles(HDROP drop) {
    const win32::UniqueDrop owned(drop);
    const std::vector<std::wstring> paths = DroppedPaths(owned.Get());
    DropFiles(paths);
}

} // namespace quarrow::app
