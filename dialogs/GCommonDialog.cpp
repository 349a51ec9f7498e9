#include "GCommonDialog.hpp"

#include "FileDialogFlags.hpp"
#include "FileDialogText.hpp"
#include "mDialogHook.hpp"

#include <cderr.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace quarrow::dialogs {

namespace {

// The title buffer of a multiple selection; the system writes no title there.
constexpr std::size_t kMultipleSelectionTitleLength = 8192;
// A selection that still does not fit after this many larger buffers is reported as a failure.
constexpr int kMostBufferAttempts = 5;

const wchar_t* TextOrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The buffers the system writes a file dialog's answer into, filled with the caller's texts.
struct FileDialogBuffers {
    std::wstring file;
    std::wstring title;
};

FileDialogBuffers BuffersFor(const FileDialogArguments& arguments, std::size_t fileLength, std::size_t titleLength) {
    FileDialogBuffers buffers{arguments.Filename, arguments.FileTitle};
    buffers.file.resize(std::max(fileLength, arguments.Filename.size() + 1), L'\0');
    buffers.title.resize(std::max(titleLength, arguments.FileTitle.size() + 1), L'\0');
    return buffers;
}

OPENFILENAMEW FileDialogRecord(const FileDialogArguments& arguments, DWORD flagWord, bool useTemplate,
                               const std::wstring& filterList, FileDialogBuffers& buffers) {
    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = arguments.Owner == kNoOwner ? nullptr : arguments.Owner;
    record.lpstrFilter = arguments.Filter.empty() ? nullptr : filterList.c_str();
    record.nFilterIndex = static_cast<DWORD>(std::max(arguments.FilterIndex, 0));
    record.lpstrFile = buffers.file.data();
    record.nMaxFile = static_cast<DWORD>(buffers.file.size());
    record.lpstrFileTitle = buffers.title.data();
    record.nMaxFileTitle = static_cast<DWORD>(buffers.title.size());
    record.lpstrInitialDir = TextOrNull(arguments.InitDir);
    record.lpstrTitle = TextOrNull(arguments.DlgTitle);
    record.lpstrDefExt = TextOrNull(arguments.DefaultExt);
    record.Flags = flagWord;
    if (arguments.Hook) {
        record.lpfnHook = &mDialogHook::DialogHookProc;
    }
    if (useTemplate) {
        record.hInstance = arguments.hInstance;
        record.lpTemplateName = MAKEINTRESOURCEW(arguments.TemplateName);
    }
    return record;
}

void TakeChoice(FileDialogArguments& arguments, bool multiSelect, const OPENFILENAMEW& record,
                const FileDialogBuffers& buffers, const std::wstring& filterList) {
    if (multiSelect) {
        arguments.Filename = SelectionUpToDoubleNul(buffers.file);
    } else {
        arguments.Filename = TextUpToNul(buffers.file);
        arguments.FileTitle = TextUpToNul(buffers.title);
    }
    arguments.flags = record.Flags;
    arguments.FilterIndex = static_cast<int>(record.nFilterIndex);
    arguments.Filter = ChosenFilterEntry(filterList, arguments.FilterIndex);
}

void ClearChoice(FileDialogArguments& arguments, bool save) {
    arguments.Filename.clear();
    arguments.FileTitle.clear();
    arguments.Filter.clear();
    arguments.flags = 0;
    arguments.FilterIndex = save ? 0 : -1;
}

} // namespace

// Holds the event sink and points the hook module at the companion for one hooked system call; both
// links are dropped when the call returns, however it returns.
class GCommonDialog::HookScope {
public:
    HookScope(GCommonDialog& owner, bool hooked, CommonDialogEventSink* sink, bool childDialog) : owner_(owner) {
        if (hooked) {
            owner.eventSink_ = sink;
            owner.hookSeesChildDialog_ = childDialog;
            showing_.emplace(owner);
        }
    }
    ~HookScope() { owner_.eventSink_ = nullptr; }
    HookScope(const HookScope&) = delete;
    HookScope& operator=(const HookScope&) = delete;

private:
    GCommonDialog& owner_;
    std::optional<mDialogHook::ShowingDialog> showing_;
};

GCommonDialog::GCommonDialog(FileBufferLengths lengths) : lengths_(lengths) {}

bool GCommonDialog::VBGetOpenFileName2(FileDialogArguments& arguments) {
    return ShowFileDialog(arguments, false, true);
}

bool GCommonDialog::VBGetSaveFileName2(FileDialogArguments& arguments) { return ShowFileDialog(arguments, true, true); }

bool GCommonDialog::VBGetOpenFileName(FileDialogArguments& arguments) {
    arguments.flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
    return ShowFileDialog(arguments, false, false);
}

bool GCommonDialog::VBGetSaveFileName(FileDialogArguments& arguments) {
    arguments.flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
    return ShowFileDialog(arguments, true, false);
}

bool GCommonDialog::ShowFileDialog(FileDialogArguments& arguments, bool save, bool templateAllowed) {
    const bool multiSelect = !save && arguments.MultiSelect;
    const bool useTemplate = templateAllowed && AsksForTemplate(arguments.flags) && arguments.hInstance != nullptr;
    const DWORD choices = save ? SaveDialogFlagWord(arguments.OverWritePrompt)
                               : OpenDialogFlagWord({arguments.FileMustExist, arguments.MultiSelect, arguments.ReadOnly,
                                                     arguments.HideReadOnly});
    recordFlags_ = WithHookAndTemplate(choices, arguments.Hook, useTemplate);
    const std::wstring filterList = SystemFilterList(arguments.Filter);
    std::size_t fileLength = multiSelect ? lengths_.Multiple : lengths_.Single;
    const std::size_t titleLength = multiSelect ? kMultipleSelectionTitleLength : lengths_.Single;

    FileDialogBuffers buffers;
    OPENFILENAMEW record{};
    BOOL ok = FALSE;
    for (int attempt = 1;; ++attempt) {
        buffers = BuffersFor(arguments, fileLength, titleLength);
        record = FileDialogRecord(arguments, recordFlags_, useTemplate, filterList, buffers);
        recordFileLength_ = record.nMaxFile;
        extendedError_ = 0;
        ok = RunHooked(arguments.Hook, arguments.EventSink, true,
                       [&] { return save ? GetSaveFileNameW(&record) : GetOpenFileNameW(&record); });
        if (ok) {
            break;
        }
        extendedError_ = CommDlgExtendedError();
        if (extendedError_ != FNERR_BUFFERTOOSMALL || attempt == kMostBufferAttempts || handlerError_) {
            break;
        }
        // The system has closed the dialog without handing the selection back, and has put the length
        // it needs into the first character of the buffer: the dialog is shown again with a buffer at
        // least that long, and the user chooses again. Only a multiple selection comes here.
        fileLength = std::max<std::size_t>(buffers.file.size() * 2, static_cast<WORD>(buffers.file[0]));
    }

    apiReturn_ = ok ? 1 : 0;
    if (ok) {
        TakeChoice(arguments, multiSelect, record, buffers, filterList);
    } else {
        ClearChoice(arguments, save);
    }
    if (handlerError_) {
        std::rethrow_exception(std::exchange(handlerError_, nullptr));
    }
    return ok;
}

BOOL GCommonDialog::RunHooked(bool hooked, CommonDialogEventSink* sink, bool childDialog,
                              const std::function<BOOL()>& systemCall) {
    HookScope scope(*this, hooked, sink, childDialog);
    return systemCall();
}

bool GCommonDialog::Finish(BOOL systemResult) {
    apiReturn_ = systemResult ? 1 : 0;
    extendedError_ = systemResult ? 0 : CommDlgExtendedError();
    if (handlerError_) {
        std::rethrow_exception(std::exchange(handlerError_, nullptr));
    }
    return systemResult != FALSE;
}

UINT_PTR GCommonDialog::DialogHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!eventSink_) {
        return 0;
    }
    try {
        switch (msg) {
        case WM_DESTROY: eventSink_->DialogClose(); return 0;
        case WM_NOTIFY: return lParam ? DispatchNotification(hDlg, *reinterpret_cast<const NMHDR*>(lParam)) : 0;
        case WM_INITDIALOG: eventSink_->InitDialog(hDlg); return 0;
        case WM_COMMAND: eventSink_->WMCommand(hDlg, wParam, lParam); return 0;
        default: return 0;
        }
    } catch (...) {
        handlerError_ = std::current_exception();
        return AbandonAfterHandlerError(hDlg, msg, lParam);
    }
}

UINT_PTR GCommonDialog::DispatchNotification(HWND hDlg, const NMHDR& header) {
    switch (header.code) {
    case CDN_SELCHANGE: eventSink_->FileChange(hDlg); return 0;
    case CDN_FOLDERCHANGE: eventSink_->FolderChange(hDlg); return 0;
    case CDN_FILEOK: {
        // An Explorer-style dialog reads the answer from the hook dialog's message result.
        const bool accepted = eventSink_->ConfirmOK();
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, accepted ? 0 : 1);
        return accepted ? 0 : 1;
    }
    case CDN_TYPECHANGE: eventSink_->TypeChange(hDlg); return 0;
    default: return 0;
    }
}

// An exception must not unwind through the system's dialog code: the dialog is closed as cancelled,
// no further events are raised, and the exception leaves the Show method once the call has returned.
UINT_PTR GCommonDialog::AbandonAfterHandlerError(HWND hDlg, UINT msg, LPARAM lParam) {
    eventSink_ = nullptr;
    const HWND dialog = hookSeesChildDialog_ ? GetParent(hDlg) : hDlg;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    const bool refusingOk = msg == WM_NOTIFY && lParam && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK;
    if (refusingOk) {
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 1);
        return 1;
    }
    return 0;
}

} // namespace quarrow::dialogs
