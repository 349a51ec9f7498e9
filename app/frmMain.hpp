#pragma once
// The main window: two toolbar rows that carry every command, the entry list of the workspace and a
// drawn status bar. Each command is a click on a toolbar button: it asks for what it needs through the
// dialog provider, runs its operation with a progress window, then sets the buttons by the enable
// table and reports in the status bar.
//
// What the commands (and the windows that come with them) build on, all public:
//   Dialogs()              the dialog provider: file dialogs, the folder browser, message boxes;
//   NewProgressWindow(w)   a progress window for one operation, owned by window w, worded;
//   workspace(), lstFile() the entry list and the list view that shows it (Reset or Refresh after a change);
//   SetStatusText(p, t)    status panel 2 (elapsed time) or 3 (state);
//   ApplyEnableRule(o)     the enable table's row for an outcome;
//   Busy()                 the flag that keeps a second command from starting while one runs.
//   AddContentWindow()     the append-content window while it is open.
//   OpenInOwnProgram       how a file is opened in the program its kind is associated with.

#include "BusyFlag.hpp"
#include "EnableRules.hpp"
#include "FileDropTarget.hpp"
#include "ListMenu.hpp"
#include "OpenedCopies.hpp"
#include "ProgressWindowFactory.hpp"
#include "ScratchFolder.hpp"
#include "ShellOpen.hpp"
#include "UserMessages.hpp"
#include "WorkspaceRows.hpp"
#include "frmMainLayout.hpp"

#include "ComPtr.hpp"
#include "DialogProvider.hpp"
#include "JCToolbar.hpp"
#include "ListView.hpp"
#include "PictureBox.hpp"
#include "Window.hpp"
#include "Workspace.hpp"
#include "ZID_Button.hpp"
#include "cNoStatusBar.hpp"
#include "ucVertical3DLine.hpp"

#include <windows.h>
#include <ole2.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::app {

class dlgAddContent;

class frmMain final : public win32::Window {
public:
    static constexpr wchar_t kClassName[] = L"frmMain";

    // Loads the window, hidden: its controls, its icons, the caption with the program's version.
    // `dialogs` must outlive the window. Throws when the system refuses a window.
    explicit frmMain(dialogs::DialogProvider& dialogs, ProgressWindowFactory progressWindows = {});
    ~frmMain() override;

    void Show();

    // Raised once the window has unloaded; the program ends then.
    std::function<void()> Unloaded;

    // A click on the button: its command runs unless the button is disabled or another command is
    // running. What the command does not expect is reported in a message box.
    void Click(ToolbarButton button);

    dialogs::DialogProvider& Dialogs() { return dialogs_; }
    std::unique_ptr<Progress> NewProgressWindow(HWND owner) const;
    Workspace& workspace() { return workspace_; }
    const Workspace& workspace() const { return workspace_; }
    components::ListView& lstFile() { return *lstFile_; }
    BusyFlag& Busy() { return busy_; }
    // The append-content window while it is open; null otherwise.
    dlgAddContent* AddContentWindow() const;
    // For the program's message loop: true when the message was a key that moves between the controls
    // of the modeless append-content window (Tab) or closes it (Esc), and has been handled.
    bool TranslateDialogKeys(MSG& msg) const;
    // For the program's message loop: true when the message was Ctrl+F (find) or F3 (the next match)
    // pressed anywhere in the window, whichever of its controls has the focus, and has been handled.
    bool TranslateFindKeys(const MSG& msg);

    controls::ZID_Button& Button(ToolbarButton button);
    const controls::ZID_Button& Button(ToolbarButton button) const;
    void ApplyEnableRule(Outcome outcome);

    void SetStatusText(int panel, std::wstring_view text);
    std::wstring StatusText(int panel) const;

    // An item of the entry list's context menu, chosen: its command runs unless its rule disables it
    // or another command is running.
    void ChooseFromListMenu(ListMenuCommand command);
    // Files and folders dropped onto the window, in the order the drop lists them.
    void DropFiles(const std::vector<std::wstring>& paths);
    // The selected rows of the archive copied, with their folders, into a new scratch folder and offered
    // as a drag out of the window offers them; null when nothing was copied (a failure is reported as
    // Extract reports it).
    win32::ComPtr<IDataObject> SelectionForDragOut();

    // Find: selects exactly the rows whose stored names match `pattern`, focuses the first and says in
    // the status bar how many there are. Find next: the focus goes on to the next of them, round past
    // the last row; without a pattern yet it asks for one.
    void SelectMatchingRows(const std::wstring& pattern);
    void FindNext();
    // Opens the row in the program its kind of file is associated with: a copy of its bytes, watched
    // so that a change saved there can be taken back into the list; a file waiting to be packed is
    // opened itself.
    void OpenRow(std::size_t position);
    // Asks, for each watched copy that has changed since, whether to take it back into the list.
    void TakeBackChangedCopies();
    const OpenedCopies& Opened() const { return opened_; }
    FileOpener OpenInOwnProgram = OpenWithAssociatedProgram;

    // Opens the archive at `path` as Open does with the path its dialog returned: for a path given on
    // the command line or dropped onto the window.
    void OpenArchiveFile(const std::wstring& path);

    // The folder browser as Extract and Add folder show it; the chosen folder or an empty text.
    std::wstring BrowseFolder();

    // True when the workspace came from an Open or has just been packed.
    bool bSaved() const { return bSaved_; }
    // The current archive's path, empty when there is none.
    std::wstring txtPAKName() const;
    // True once the list of the current archive has been edited and not packed since.
    bool HasUnsavedEdits() const { return edited_; }
    // The folder last chosen in the folder browser.
    const std::wstring& txtFolder() const { return txtFolder_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnUnhandledException(std::exception_ptr error) override;

private:
    // Layout (frmMainLoad.cpp).
    void LoadWindow();
    void LoadToolbars(int clientWidth);
    void LoadEntryList(int clientWidth);
    void LoadStatusBar(int clientWidth, int clientHeight);

    // Commands (frmMainCommands.cpp).
    void RunCommand(ToolbarButton button);
    // Runs `command` unless another one is running; what it does not expect is reported.
    void RunGuarded(const std::function<void()>& command);
    void btnNew_Click();
    void btnOpen_Click();
    // Open from its check on, the time counted from `start`.
    void OpenArchiveAt(const std::wstring& path, DWORD start);
    // How a Pack ended, for New, which goes on only when nothing went wrong.
    enum class PackOutcome { Packed, NothingToPack, Cancelled, Failed };
    PackOutcome btnSave_Click();
    void btnExtract_Click();
    void btnAddFile_Click();
    void btnAddFolder_Click();
    void btnAddContent_Click();
    void btnDel_Click();
    void btnHelp_Click();
    void btnAbout_Click();
    void lstFile_KeyDown(WORD key);
    // Extract of every entry (none given) or of the entries at the given positions.
    void ExtractRows(const std::optional<std::vector<std::size_t>>& positions);
    // The same into `destination`; true when every entry was written, else what went wrong is reported.
    bool ExtractRowsInto(const std::optional<std::vector<std::size_t>>& positions,
                         const std::filesystem::path& destination);
    // Pack into `target`; false when the pack was refused or failed (and reported).
    bool PackInto(const std::wstring& target);
    // Add file and Add folder after their dialogs. `byName`: files whose stored name an entry bears
    // replace its data, as edits of an opened archive do; otherwise every file is appended.
    void AddFilesToList(const std::vector<std::wstring>& paths, bool byName);
    void AddFolderToList(const std::wstring& folder, bool byName);

    // Editing (frmMainEditing.cpp).
    bool ArchiveIsCurrent() const { return !workspace_.ArchivePath().empty(); }
    ListSelection CurrentSelection() const;
    // The context menu at a screen point, or at the focused row when `where` is -1 (the keyboard).
    void ShowListMenu(LPARAM where);
    // The selected rows whose bytes are in the archive (rows added or replaced since are not).
    std::vector<std::size_t> SelectedArchiveRows() const;
    void ExtractSelectedRows();
    void ReplaceSelectedRow();
    void MergeIntoList(Workspace&& incoming, std::vector<UnreadableFile>& unreadable);
    // Save as: true when the list was packed.
    bool SaveAsPak();
    // Asks about unsaved edits of the current archive; false when they are to be kept.
    bool MayDiscardEdits();
    // Marks the current archive edited when the list has changed.
    void NoteEdit(bool changed);
    void OnDropFiles(HDROP drop);

    // Dragging rows out (frmMainDragOut.cpp).
    void lstFile_BeginDrag();
    // Find and Open (frmMainOpen.cpp).
    void FindRows();
    // The entry's bytes below `folder`, as Extract would write them there: the copy's path, or empty
    // when the entry could not be written (and the user has been told).
    std::filesystem::path CopyOfEntry(std::size_t position, const std::filesystem::path& folder);
    void TakeBack(const OpenedCopy& copy, std::size_t row);
    // Asks about copies changed and not taken back; false when the window is to stay.
    bool MayLeaveChangedCopies();
    void PostCopiesCheck();
    static constexpr UINT kCopiesCheckMessage = WM_APP + 0x61;

    void Unload();
    // The caption names the current archive, and marks its unsaved edits.
    void UpdateCaption();
    void SetEdited(bool edited);

    dialogs::DialogProvider& dialogs_;
    ProgressWindowFactory progressWindows_;
    Workspace workspace_;
    WorkspaceRows rows_{workspace_};
    BusyFlag busy_;
    bool closeWhenIdle_ = false;
    bool bSaved_ = false;
    bool edited_ = false;
    std::wstring captionBase_; // the program's name and version
    std::wstring txtFolder_;
    std::wstring findPattern_; // the last pattern looked for
    bool copiesCheckPosted_ = false;

    // The strips before the controls on them: children go first.
    std::unique_ptr<controls::JCToolbar> JCToolbar1_;
    std::unique_ptr<controls::JCToolbar> JCToolbar4_;
    std::array<std::unique_ptr<controls::ZID_Button>, kToolbarButtonCount> buttons_;
    std::unique_ptr<controls::ucVertical3DLine> separator_;
    std::unique_ptr<components::ListView> lstFile_;
    // The host before the bar that draws into it.
    controls::PictureBox picStatus_;
    controls::cNoStatusBar statusBar_;
    // One at a time; kept after it has closed until the next Append content opens a fresh one.
    std::unique_ptr<dlgAddContent> addContent_;
    std::unique_ptr<FileDropTarget> dropTarget_;
    // Copies of entries made for the user's other programs (opened or dragged out), removed when the
    // window goes.
    ScratchFolder scratch_;
    OpenedCopies opened_;
};

} // namespace quarrow::app
