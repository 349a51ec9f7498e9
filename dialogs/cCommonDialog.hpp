#pragma once
// Shows the system's common dialogs for a window: open file, save file, colour, font, print and
// WinHelp. The caller sets properties, calls one Show method and reads the results back from the
// same properties. A property is a getter and a same-named setter (as std::ios_base::flags is).
//
// Errors leave as quarrow::win32::RaisedError with the source "<executable>.cCommonDialog":
// 20001 "User selected cancel." for a cancel when CancelError is set, and the system's extended error
// code OR 13450 when a dialog could not be shown.

#include "CommonDialogEventSink.hpp"
#include "FontSpec.hpp"
#include "GCommonDialog.hpp"
#include "Handles.hpp"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quarrow::dialogs {

// A dialog window's place on the screen, in pixels.
struct DialogPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

class cCommonDialog : private CommonDialogEventSink {
public:
    // Raised while a dialog shows with HookDialog set, in this order of declaration. hDlg is the
    // handle the hook sees: for the file dialogs a child of the visible dialog.
    struct EventHandlers {
        std::function<void(HWND hDlg)> InitDialog;
        std::function<void(HWND hDlg)> FileChange;
        std::function<void(HWND hDlg)> FolderChange;
        // Setting bCancel keeps a file dialog open after OK.
        std::function<void(bool& bCancel)> ConfirmOK;
        std::function<void(HWND hDlg)> TypeChange;
        std::function<void()> DialogClose;
        std::function<void(HWND hDlg, WPARAM wParam, LPARAM lParam)> WMCommand;
    };
    EventHandlers Events;

    cCommonDialog() = default;
    ~cCommonDialog();
    cCommonDialog(const cCommonDialog&) = delete;
    cCommonDialog& operator=(const cCommonDialog&) = delete;

    // ---- open and save dialogs

    // In: the text of the name box. Out: the chosen file; with multiple selection the folder and the
    // names, each ended by a NUL, and one NUL more (see ParseMultiFileName); empty after a cancel.
    const std::wstring& Filename() const { return file_.Filename; }
    void Filename(std::wstring value) { file_.Filename = std::move(value); }
    // Out: the chosen file's name without its folder (single selection); empty after a cancel.
    const std::wstring& FileTitle() const { return file_.FileTitle; }
    void FileTitle(std::wstring value) { file_.FileTitle = std::move(value); }
    // In: "description|pattern|description|pattern" ("description:pattern" too). Out: the entry in
    // force at OK as description, NUL, pattern; empty after a cancel.
    const std::wstring& Filter() const { return file_.Filter; }
    void Filter(std::wstring value) { file_.Filter = std::move(value); }
    // 1-based filter shown first; out: the one in force at OK, -1 after a cancelled open, 0 after a
    // cancelled save.
    int FilterIndex() const { return file_.FilterIndex; }
    void FilterIndex(int value) { file_.FilterIndex = value; }
    // In: 0x1 read-only ticked, 0x4 read-only hidden, 0x200 multiple selection, 0x1000 file must
    // exist (open); 0x2 overwrite prompt (save); 0x40 template. Other bits do not reach the system.
    // Out: the system's flag word after OK, 0 after a cancel.
    DWORD flags() const { return file_.flags; }
    void flags(DWORD value) { file_.flags = value; }
    const std::wstring& DefaultExt() const { return file_.DefaultExt; }
    void DefaultExt(std::wstring value) { file_.DefaultExt = std::move(value); }
    const std::wstring& DialogTitle() const { return file_.DlgTitle; }
    void DialogTitle(std::wstring value) { file_.DlgTitle = std::move(value); }
    const std::wstring& InitDir() const { return file_.InitDir; }
    void InitDir(std::wstring value) { file_.InitDir = std::move(value); }
    // The owner window; kNoOwner leaves it unset, as null does.
    HWND hwnd() const { return file_.Owner; }
    void hwnd(HWND value) { file_.Owner = value; }
    bool CancelError() const { return cancelError_; }
    void CancelError(bool value) { cancelError_ = value; }
    bool HookDialog() const { return file_.Hook; }
    void HookDialog(bool value) { file_.Hook = value; }
    // The module holding a dialog template and the template's resource number (flags bit 0x40).
    HINSTANCE hInstance() const { return file_.hInstance; }
    void hInstance(HINSTANCE value) { file_.hInstance = value; }
    int TemplateName() const { return file_.TemplateName; }
    void TemplateName(int value) { file_.TemplateName = value; }
    // Stored only: the buffers are sized by the dialog class.
    int MaxFileSize() const { return maxFileSize_; }
    void MaxFileSize(int value) { maxFileSize_ = value; }

    void ShowOpen();
    void ShowSave();

    // Splits Filename into the folder and the names (see MultiFileName.hpp); sFiles[n - 1] holds name
    // n. Callers pass sDir empty and iFileCount 0.
    void ParseMultiFileName(std::wstring& sDir, std::vector<std::wstring>& sFiles, int& iFileCount) const;

    // ---- the other dialogs

    // An OLE colour (0x00BBGGRR, or a system colour with the high bit set); after OK the chosen colour.
    OLE_COLOR Color() const { return color_; }
    void Color(OLE_COLOR value) { color_ = value; }
    int Copies() const { return print_.Copies; }
    void Copies(int value) { print_.Copies = value; }
    int FromPage() const { return print_.FromPage; }
    void FromPage(int value) { print_.FromPage = value; }
    int ToPage() const { return print_.ToPage; }
    void ToPage(int value) { print_.ToPage = value; }
    // Font sizes (font dialog) and the page range (print dialog).
    int Min() const { return min_; }
    void Min(int value) { min_ = value; }
    int Max() const { return max_; }
    void Max(int value) { max_ = value; }
    // Stored only: the system's default printer is never changed.
    bool PrinterDefault() const { return printerDefault_; }
    void PrinterDefault(bool value) { printerDefault_ = value; }
    // The printer the print dialog preselects, by device name; empty for the default printer.
    const std::wstring& Object() const { return print_.Printer; }
    void Object(std::wstring value) { print_.Printer = std::move(value); }
    const std::wstring& PrinterName() const { return Companion().PrinterName(); }
    const std::wstring& PrinterDriver() const { return Companion().PrinterDriver(); }
    const std::wstring& PrinterOutputPort() const { return Companion().PrinterOutputPort(); }

    // The font of the font dialog, the system's message font until set.
    const win32::FontSpec& Font() const { return FontInUse(); }
    void Font(win32::FontSpec value) { font_ = std::move(value); }
    bool FontBold() const { return FontInUse().bold; }
    void FontBold(bool value) { FontInUse().bold = value; }
    bool FontItalic() const { return FontInUse().italic; }
    void FontItalic(bool value) { FontInUse().italic = value; }
    const std::wstring& FontName() const { return FontInUse().name; }
    void FontName(std::wstring value) { FontInUse().name = std::move(value); }
    double FontSize() const { return FontInUse().points; }
    void FontSize(double value) { FontInUse().points = value; }
    bool FontStrikethru() const { return FontInUse().strikethrough; }
    void FontStrikethru(bool value) { FontInUse().strikethrough = value; }
    bool FontUnderline() const { return FontInUse().underline; }
    void FontUnderline(bool value) { FontInUse().underline = value; }
    COLORREF FontColor() const { return fontColor_; }
    void FontColor(COLORREF value) { fontColor_ = value; }

    // Custom colours 0 to 15 of the colour dialog; another index reads CLR_INVALID (-1) and is
    // ignored when written.
    COLORREF CustomColor(int index) const { return Companion().CustomColor(index); }
    void CustomColor(int index, COLORREF value) { Companion().CustomColor(index, value); }

    UINT HelpCommand() const { return helpCommand_; }
    void HelpCommand(UINT value) { helpCommand_ = value; }
    // Stored only.
    DWORD HelpContext() const { return helpContext_; }
    void HelpContext(DWORD value) { helpContext_ = value; }
    const std::wstring& HelpFile() const { return helpFile_; }
    void HelpFile(std::wstring value) { helpFile_ = std::move(value); }
    // Stored only.
    const std::wstring& HelpKey() const { return helpKey_; }
    void HelpKey(std::wstring value) { helpKey_ = std::move(value); }

    // Colour dialog: reads Color (a system colour is translated first; one that cannot be becomes
    // -1), flags 0x100 any colour, 0x2 full open, 0x4 no full open; after OK Color is the choice.
    void ShowColor();
    // Font dialog: reads Font, FontColor, Min, Max and flags; after OK they hold the choice.
    void ShowFont();
    // Print dialog: reads Copies, FromPage, ToPage, Min, Max, flags and Object; after OK Copies,
    // FromPage, ToPage and the printer names. A cancel never raises.
    void ShowPrinter();
    // WinHelp with HelpFile and HelpCommand. The commands 513 and 515 need a data block and raise
    // 13705; a failing call raises the system's error code with its message.
    void ShowHelp();
    // Places the WinHelp window of HelpFile.
    void SetHelpPosition(int x, int y, int dX, int dy, int eWindowType);

    // ---- while a hooked dialog shows

    // Centres the dialog over `centreTo`, or over the desktop's work area when that is null.
    void CentreDialog(HWND hDlg, HWND centreTo = nullptr) const;
    DialogPlacement GetDialogSize(HWND hDlg) const;

    // ---- template modules

    // Loads a module for dialog templates and puts its handle into hInstance. True when loaded.
    bool cdLoadLibrary(const std::wstring& DllName);
    // Frees the module that cdLoadLibrary loaded (hInstance keeps its value). A module the caller put
    // into hInstance is the caller's and stays loaded.
    void cdFreeLibrary();

    // ---- the last system call

    int APIReturn() const { return Companion().APIReturn(); }
    DWORD ExtendedError() const { return Companion().ExtendedError(); }
    // The flag word that the last open or save dialog handed to the system.
    DWORD RecordFlags() const { return Companion().RecordFlags(); }
    // The length of the file-name buffer that it handed over, in characters.
    std::size_t RecordFileLength() const { return Companion().RecordFileLength(); }

private:
    GCommonDialog& Companion() const;
    win32::FontSpec& FontInUse() const;
    CommonDialogEventSink* SinkIfHooked();
    HWND DialogWindowOf(HWND hDlg) const;
    void RaiseUnlessOk(bool ok, bool cancelMayRaise = true) const;
    [[noreturn]] void RaiseLastError() const;

    void InitDialog(HWND hDlg) override;
    void FileChange(HWND hDlg) override;
    void FolderChange(HWND hDlg) override;
    bool ConfirmOK() override;
    void TypeChange(HWND hDlg) override;
    void DialogClose() override;
    void WMCommand(HWND hDlg, WPARAM wParam, LPARAM lParam) override;

    mutable std::unique_ptr<GCommonDialog> companion_; // created on first need
    FileDialogArguments file_;
    bool cancelError_ = false;
    int maxFileSize_ = 0;
    bool fileDialogShown_ = false;
    OLE_COLOR color_ = 0;
    PrintDialogArguments print_;
    int min_ = 0;
    int max_ = 0;
    bool printerDefault_ = false;
    mutable std::optional<win32::FontSpec> font_; // created on first use
    COLORREF fontColor_ = 0;
    UINT helpCommand_ = 0;
    DWORD helpContext_ = 0;
    std::wstring helpFile_;
    std::wstring helpKey_;
    win32::UniqueModule loadedLibrary_;
};

} // namespace quarrow::dialogs
