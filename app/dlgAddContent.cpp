#include "dlgAddContent.hpp"

#include "AddChosenFiles.hpp"
#include "ArchiveDialogs.hpp"
#include "RunningCommandAlert.hpp"
#include "SetWindowIcons.hpp"
#include "StandardControls.hpp"
#include "UserMessages.hpp"
#include "frmMain.hpp"

#include "ContentAppender.hpp"
#include "FontSpec.hpp"
#include "Text.hpp"
#include "Twips.hpp"

#include <algorithm>

namespace quarrow::app {

namespace {

// The layout in twips. The list lies 120, 360 inside the frame; the buttons are the window's own.
constexpr SIZE kClientArea{8415, 5055};
constexpr TwipsRect kFrame{120, 120, 8175, 4335};
constexpr TwipsRect kList{kFrame.x + 120, kFrame.y + 360, 6615, 3855};
constexpr TwipsRect kBrowse{6960, 480, 1215, 375};
constexpr TwipsRect kDelete{6960, 1080, 1215, 375};
constexpr TwipsRect kStart{5640, 4560, 1215, 375};
constexpr TwipsRect kCancel{7080, 4560, 1215, 375};

constexpr wchar_t kNameHeader[] = L"档案名字";
constexpr wchar_t kSizeHeader[] = L"档案大小（b）";
constexpr wchar_t kAddressHeader[] = L"写入地址";
constexpr int kNameWidth = 4600;
constexpr int kSizeWidth = 1440;

int Id(AddContentControl control) { return static_cast<int>(control); }

} // namespace

dlgAddContent::dlgAddContent(frmMain& main) : main_(main), font_(win32::FontSpec::MessageFont().Create()) {
    // A close asked for while a command of this window runs waits for the command to end.
    running_.Idle = [this] {
        if (closeWhenIdle_ && Handle()) {
            closeWhenIdle_ = false;
            PostMessageW(Handle(), WM_CLOSE, 0, 0);
        }
    };
    CreateFrame(kAddContentWindowClass, kAddContentCaption, kClientArea, main.Handle());
    SetWindowIcons(Handle(), L"Main", true);
    bResultsShown_ = false;
    LoadControls();
}

dlgAddContent::~dlgAddContent() {
    running_.Idle = nullptr;
    DestroyHandle();
}

void dlgAddContent::LoadControls() {
    const HWND window = Handle();
    const RECT list = ToPixels(kList);
    lstFile_ = std::make_unique<components::ListView>(window, list.left, list.top, list.right - list.left,
                                                      list.bottom - list.top, Id(AddContentControl::lstFile), rows_);
    lstFile_->AddColumn(kNameHeader, win32::TwipsToPixelsX(kNameWidth));
    lstFile_->AddColumn(kSizeHeader, win32::TwipsToPixelsX(kSizeWidth));
    lstFile_->KeyDown = [this](WORD key) { lstFile_KeyDown(key); };

    CreatePushButton(window, Id(AddContentControl::cmdBrowse), L"选择档案", kBrowse, font_.Get());
    EnableWindow(CreatePushButton(window, Id(AddContentControl::cmdDel), L"删除档案", kDelete, font_.Get()), FALSE);
    EnableWindow(CreatePushButton(window, Id(AddContentControl::cmdStart), L"打包", kStart, font_.Get()), FALSE);
    CreatePushButton(window, Id(AddContentControl::cmdCancel), L"取消", kCancel, font_.Get());
    // Last, so that it lies beneath the list and the buttons it surrounds.
    CreateTitledFrame(window, Id(AddContentControl::fraFiles), L"选择档案", kFrame, font_.Get());
}

void dlgAddContent::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
}

std::error_code dlgAddContent::AddContentItem(const std::wstring& path) {
    if (rows_.Lists(path)) {
        return {};
    }
    return rows_.Add(path);
}

LRESULT dlgAddContent::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            const int id = LOWORD(wParam);
            if (id == Id(AddContentControl::cmdCancel) || id == IDCANCEL) {
                PostMessageW(Handle(), WM_CLOSE, 0, 0);
            } else if (id == Id(AddContentControl::cmdBrowse) || id == Id(AddContentControl::cmdDel) ||
                       id == Id(AddContentControl::cmdStart)) {
                RunCommand(static_cast<AddContentControl>(id));
            }
            return 0;
        }
        break;
    case WM_ACTIVATE:
        // The control that had the focus gets it back when the window is activated again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            lastFocus_ = focus && IsChild(Handle(), focus) ? focus : nullptr;
        }
        break;
    case WM_CLOSE:
        // Closing under a running command would pull the list from under it.
        if (running_.Busy()) {
            closeWhenIdle_ = true;
            return 0;
        }
        DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        rows_.Clear(); // closing discards the list
        return 0;
    default: break;
    }
    return SecondaryWindow::HandleMessage(message, wParam, lParam);
}

HWND dlgAddContent::FocusTarget() const {
    if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        return lastFocus_;
    }
    return lstFile_ ? lstFile_->Handle() : nullptr;
}

void dlgAddContent::OnUnhandledException(std::exception_ptr error) {
    try {
        main_.Dialogs().ShowMessage(UnexpectedError(Handle(), error));
    } catch (...) {
        SecondaryWindow::OnUnhandledException(error);
    }
}

void dlgAddContent::RunCommand(AddContentControl button) {
    // A disabled button raises no click, and neither window starts a command under another.
    if (!IsWindowEnabled(Control(button))) {
        return;
    }
    const auto mainIdle = main_.Busy().TryEnter();
    if (!mainIdle) {
        AlertRunningCommand(main_.Handle());
        return;
    }
    const auto running = running_.TryEnter();
    switch (button) {
    case AddContentControl::cmdBrowse: cmdBrowse_Click(); break;
    case AddContentControl::cmdDel: cmdDel_Click(); break;
    case AddContentControl::cmdStart: cmdStart_Click(); break;
    default: break;
    }
}

void dlgAddContent::cmdBrowse_Click() {
    const std::vector<std::wstring> paths = AskFilesToAdd(main_.Dialogs(), Handle());
    if (!paths.empty()) {
        // The results of the last run give way to a fresh list.
        if (bResultsShown_) {
            bResultsShown_ = false;
            rows_.Clear();
            lstFile_->Reset();
            lstFile_->SetColumnHeader(2, kSizeHeader);
        }
        const auto add = [this](const std::wstring& path) { return AddContentItem(path); };
        AddChosenFiles(paths, add, *lstFile_, main_.Dialogs(), Handle());
    }
    EnableListButtons();
}

void dlgAddContent::cmdDel_Click() {
    rows_.RemoveSelected(lstFile_->SelectedPositions());
    lstFile_->Reset();
    lstFile_->SetFocus();
    EnableListButtons();
}

void dlgAddContent::cmdStart_Click() {
    const std::wstring archive = main_.txtPAKName();
    if (archive.empty()) {
        return;
    }
    const std::wstring headerBefore = lstFile_->ColumnHeader(2);
    lstFile_->SetColumnHeader(2, kAddressHeader);
    std::vector<AppendOutcome> outcomes;
    try {
        const auto progress = main_.NewProgressWindow(Handle());
        outcomes = AppendContents(PathFromWide(archive), rows_.Paths(), *progress);
    } catch (const AppendRefused& refused) {
        lstFile_->SetColumnHeader(2, headerBefore);
        main_.Dialogs().ShowMessage(AppendTooLarge(Handle(), refused));
        return;
    } catch (const FileError& error) {
        lstFile_->SetColumnHeader(2, headerBefore);
        main_.Dialogs().ShowMessage(AppendFailed(Handle(), PathFromWide(archive), error));
        return;
    }
    rows_.ShowResults(outcomes);
    lstFile_->Refresh();
    bResultsShown_ = true;
    lstFile_->SetFocus();
    const bool anySkipped =
        std::any_of(outcomes.begin(), outcomes.end(), [](const AppendOutcome& outcome) { return !outcome.block; });
    if (anySkipped) {
        main_.Dialogs().ShowMessage(FilesNotAppended(Handle(), outcomes));
    }
}

void dlgAddContent::lstFile_KeyDown(WORD key) {
    if (key == VK_DELETE) {
        RunCommand(AddContentControl::cmdDel);
    }
}

void dlgAddContent::EnableListButtons() {
    const BOOL rows = rows_.RowCount() > 0 ? TRUE : FALSE;
    EnableWindow(Control(AddContentControl::cmdStart), rows);
    EnableWindow(Control(AddContentControl::cmdDel), rows);
}

} // namespace quarrow::app
