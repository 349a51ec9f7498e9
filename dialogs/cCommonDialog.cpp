#include "cCommonDialog.hpp"

#include "DialogErrors.hpp"
#include "FileDialogFlags.hpp"
#include "MultiFileName.hpp"
#include "RaisedError.hpp"
#include "cMemory.hpp"

#include <olectl.h>

#include <cstdio>

namespace quarrow::dialogs {

using win32::ErrorSource;
using win32::RaisedError;

namespace {

std::wstring FailureDescription(DWORD extendedError) {
    wchar_t text[96];
    std::swprintf(text, std::size(text), L"The system could not show the dialog (extended error 0x%04lX).",
                  static_cast<unsigned long>(extendedError));
    return text;
}

// A plain colour for the colour dialog; -1 when a system colour cannot be translated.
COLORREF PlainColor(OLE_COLOR color) {
    COLORREF plain = 0;
    return SUCCEEDED(OleTranslateColor(color, nullptr, &plain)) ? plain : CLR_INVALID;
}

HWND OwnerFor(HWND owner) { return owner == kNoOwner ? nullptr : owner; }

const wchar_t* TextOrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

} // namespace

cCommonDialog::~cCommonDialog() = default;

GCommonDialog& cCommonDialog::Companion() const {
    if (!companion_) {
        companion_ = std::make_unique<GCommonDialog>();
    }
    return *companion_;
}

win32::FontSpec& cCommonDialog::FontInUse() const {
    if (!font_) {
        font_ = win32::FontSpec::MessageFont();
    }
    return *font_;
}

CommonDialogEventSink* cCommonDialog::SinkIfHooked() { return file_.Hook ? this : nullptr; }

void cCommonDialog::ShowOpen() {
    fileDialogShown_ = true;
    const OpenDialogChoices choices = ReadOpenDialogChoices(file_.flags);
    file_.FileMustExist = choices.FileMustExist;
    file_.MultiSelect = choices.MultiSelect;
    file_.ReadOnly = choices.ReadOnly;
    file_.HideReadOnly = choices.HideReadOnly;
    if (AsksForTemplate(file_.flags) && !file_.hInstance) {
        file_.flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
    }
    if (file_.FilterIndex == 0) {
        file_.FilterIndex = 1;
    }
    file_.EventSink = SinkIfHooked();
    const bool ok = Companion().VBGetOpenFileName2(file_);
    RaiseUnlessOk(ok);
}

void cCommonDialog::ShowSave() {
    fileDialogShown_ = true;
    file_.OverWritePrompt = ReadOverwritePrompt(file_.flags);
    if (AsksForTemplate(file_.flags) && !file_.hInstance) {
        file_.flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
    }
    file_.EventSink = SinkIfHooked();
    const bool ok = Companion().VBGetSaveFileName2(file_);
    RaiseUnlessOk(ok);
}

void cCommonDialog::ParseMultiFileName(std::wstring& sDir, std::vector<std::wstring>& sFiles, int& iFileCount) const {
    dialogs::ParseMultiFileName(file_.Filename, sDir, sFiles, iFileCount);
}

void cCommonDialog::ShowColor() {
    fileDialogShown_ = false;
    ColorDialogArguments arguments;
    arguments.Color = PlainColor(color_);
    arguments.flags = file_.flags;
    arguments.Owner = file_.Owner;
    arguments.Hook = file_.Hook;
    arguments.EventSink = SinkIfHooked();
    const bool ok = Companion().VBChooseColor(arguments);
    if (ok) {
        color_ = arguments.Color;
    }
    RaiseUnlessOk(ok);
}

void cCommonDialog::ShowFont() {
    fileDialogShown_ = false;
    FontDialogArguments arguments;
    arguments.Font = FontInUse();
    arguments.FontColor = fontColor_;
    arguments.Min = min_;
    arguments.Max = max_;
    arguments.flags = file_.flags;
    arguments.Owner = file_.Owner;
    arguments.Hook = file_.Hook;
    arguments.EventSink = SinkIfHooked();
    const bool ok = Companion().VBChooseFont(arguments);
    if (ok) {
        font_ = arguments.Font;
        fontColor_ = arguments.FontColor;
        file_.flags = arguments.flags;
    }
    RaiseUnlessOk(ok);
}

void cCommonDialog::ShowPrinter() {
    fileDialogShown_ = false;
    PrintDialogArguments arguments = print_;
    arguments.Min = min_;
    arguments.Max = max_;
    arguments.flags = file_.flags;
    arguments.Owner = file_.Owner;
    arguments.Hook = file_.Hook;
    arguments.EventSink = SinkIfHooked();
    const bool ok = Companion().VBPrintDlg(arguments);
    if (ok) {
        print_.Copies = arguments.Copies;
        print_.FromPage = arguments.FromPage;
        print_.ToPage = arguments.ToPage;
    }
    RaiseUnlessOk(ok, false);
}

void cCommonDialog::ShowHelp() {
    fileDialogShown_ = false;
    if (helpCommand_ == HELP_MULTIKEY || helpCommand_ == HELP_SETWINPOS) {
        throw RaisedError(kInvalidHelpCommand, ErrorSource(kCommonDialogSuffix), kInvalidHelpCommandText);
    }
    if (!WinHelpW(OwnerFor(file_.Owner), TextOrNull(helpFile_), helpCommand_, 0)) {
        RaiseLastError();
    }
}

void cCommonDialog::SetHelpPosition(int x, int y, int dX, int dy, int eWindowType) {
    cMemory block;
    if (!block.AllocateMemory(sizeof(HELPWININFOW), GMEM_ZEROINIT)) {
        RaiseLastError();
    }
    auto* place = static_cast<HELPWININFOW*>(block.Pointer());
    if (!place) {
        RaiseLastError();
    }
    place->wStructSize = sizeof(HELPWININFOW);
    place->x = x;
    place->y = y;
    place->dx = dX;
    place->dy = dy;
    place->wMax = eWindowType;
    const BOOL ok =
        WinHelpW(OwnerFor(file_.Owner), TextOrNull(helpFile_), HELP_SETWINPOS, reinterpret_cast<ULONG_PTR>(place));
    const DWORD error = GetLastError();
    block.FreeMemory();
    if (!ok) {
        SetLastError(error);
        RaiseLastError();
    }
}

HWND cCommonDialog::DialogWindowOf(HWND hDlg) const {
    // The hook of a file dialog sees a child of the dialog that the user sees.
    return fileDialogShown_ ? GetParent(hDlg) : hDlg;
}

void cCommonDialog::CentreDialog(HWND hDlg, HWND centreTo) const {
    const HWND window = DialogWindowOf(hDlg);
    RECT own{};
    if (!GetWindowRect(window, &own)) {
        return;
    }
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    RECT reference{};
    if (centreTo) {
        GetWindowRect(centreTo, &reference);
    } else if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &reference, 0)) {
        reference = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    if (reference.right > 0 && reference.bottom > 0) {
        const int left = reference.left + ((reference.right - reference.left) - width) / 2;
        const int top = reference.top + ((reference.bottom - reference.top) - height) / 2;
        MoveWindow(window, left, top, width, height, TRUE);
    }
}

DialogPlacement cCommonDialog::GetDialogSize(HWND hDlg) const {
    RECT own{};
    GetWindowRect(DialogWindowOf(hDlg), &own);
    return DialogPlacement{own.left, own.top, own.right - own.left, own.bottom - own.top};
}

bool cCommonDialog::cdLoadLibrary(const std::wstring& DllName) {
    loadedLibrary_.Reset(LoadLibraryW(DllName.c_str()));
    file_.hInstance = loadedLibrary_.Get();
    return file_.hInstance != nullptr;
}

void cCommonDialog::cdFreeLibrary() {
    if (file_.hInstance && file_.hInstance == loadedLibrary_.Get()) {
        loadedLibrary_.Reset();
    }
}

void cCommonDialog::RaiseUnlessOk(bool ok, bool cancelMayRaise) const {
    if (ok) {
        return;
    }
    const DWORD extendedError = Companion().ExtendedError();
    if (extendedError != 0) {
        throw RaisedError(static_cast<std::int32_t>(extendedError | kDialogFailureBits),
                          ErrorSource(kCommonDialogSuffix), FailureDescription(extendedError));
    }
    if (cancelMayRaise && cancelError_) {
        throw RaisedError(kUserCancelled, ErrorSource(kCommonDialogSuffix), kUserCancelledText);
    }
}

void cCommonDialog::RaiseLastError() const {
    const DWORD code = GetLastError();
    std::wstring description = RaisedSystemText(code);
    if (description.empty()) {
        description = L"The help system failed without saying why.";
    }
    throw RaisedError(static_cast<std::int32_t>(code), ErrorSource(kCommonDialogSuffix), std::move(description));
}

void cCommonDialog::InitDialog(HWND hDlg) {
    if (Events.InitDialog) {
        Events.InitDialog(hDlg);
    }
}

void cCommonDialog::FileChange(HWND hDlg) {
    if (Events.FileChange) {
        Events.FileChange(hDlg);
    }
}

void cCommonDialog::FolderChange(HWND hDlg) {
    if (Events.FolderChange) {
        Events.FolderChange(hDlg);
    }
}

bool cCommonDialog::ConfirmOK() {
    bool bCancel = false;
    if (Events.ConfirmOK) {
        Events.ConfirmOK(bCancel);
    }
    return !bCancel;
}

void cCommonDialog::TypeChange(HWND hDlg) {
    if (Events.TypeChange) {
        Events.TypeChange(hDlg);
    }
}

void cCommonDialog::DialogClose() {
    if (Events.DialogClose) {
        Events.DialogClose();
    }
}

void cCommonDialog::WMCommand(HWND hDlg, WPARAM wParam, LPARAM lParam) {
    if (Events.WMCommand) {
        Events.WMCommand(hDlg, wParam, lParam);
    }
}

} // namespace quarrow::dialogs
