#pragma once
// The companion of cCommonDialog: it builds the system's dialog records, makes the system calls,
// takes the results back and dispatches the hook's messages to the event sink. Its members take their
// arguments by reference and update them with the results, as the dialog class's properties expect.

#include "CommonDialogEventSink.hpp"
#include "FontSpec.hpp"

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace quarrow::dialogs {

class cMemory;

// An owner value that leaves a dialog without owner, as null does.
inline const HWND kNoOwner = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

// The arguments of the open and save dialogs.
struct FileDialogArguments {
    std::wstring Filename;  // in: the name box; out: the chosen file or the multiple-selection list
    std::wstring FileTitle; // in: the title buffer; out: the chosen name without its folder
    bool FileMustExist = false;
    bool MultiSelect = false;
    bool ReadOnly = false;
    bool HideReadOnly = false;
    bool OverWritePrompt = false;
    std::wstring Filter; // in: "description|pattern|..."; out: the entry in force, description NUL pattern
    int FilterIndex = 1; // in and out, from 1; -1 (open) or 0 (save) after a cancel
    std::wstring InitDir;
    std::wstring DlgTitle;
    std::wstring DefaultExt;
    HWND Owner = nullptr;
    DWORD flags = 0; // in: the template bit (0x40) is read; out: the system's flag word after OK, else 0
    bool Hook = false;
    HINSTANCE hInstance = nullptr;
    int TemplateName = 0;
    CommonDialogEventSink* EventSink = nullptr;
};

struct ColorDialogArguments {
    COLORREF Color = 0; // in: the colour the dialog opens on; out: the chosen colour
    DWORD flags = 0;    // 0x100 any colour (else solid colours only), 0x2 full open, 0x4 no full open
    HWND Owner = nullptr;
    bool Hook = false;
    CommonDialogEventSink* EventSink = nullptr;
};

struct FontDialogArguments {
    win32::FontSpec Font;
    COLORREF FontColor = 0;
    int Min = 0; // point sizes offered when flags hold CF_LIMITSIZE
    int Max = 0;
    DWORD flags = 0; // the font dialog's own flags, handed on; out: as the system left them
    HWND Owner = nullptr;
    bool Hook = false;
    CommonDialogEventSink* EventSink = nullptr;
};

struct PrintDialogArguments {
    int Copies = 0;
    int FromPage = 0;
    int ToPage = 0;
    int Min = 0; // page range the dialog accepts; equal values disable the page boxes
    int Max = 0;
    DWORD flags = 0;      // the print dialog's own flags, handed on
    std::wstring Printer; // the device to preselect; empty for the system's default printer
    HWND Owner = nullptr;
    bool Hook = false;
    CommonDialogEventSink* EventSink = nullptr;
};

// Characters in the file-name buffer of a file dialog's first attempt. A single path always fits: no
// path Windows takes is longer than 32,767 characters. Only a multiple selection can outgrow its
// buffer; the system then closes the dialog without handing the selection back and says how much it
// needs, and the dialog is shown again with a buffer that large, for the user to choose again.
struct FileBufferLengths {
    std::size_t Single = 32768;
    std::size_t Multiple = 131072; // thousands of names
};

class GCommonDialog {
public:
    explicit GCommonDialog(FileBufferLengths lengths = {});
    GCommonDialog(const GCommonDialog&) = delete;
    GCommonDialog& operator=(const GCommonDialog&) = delete;

    // Each returns true when the user pressed OK. The arguments come back with the results, or with
    // the results cleared after a cancel or a failure (see FileDialogArguments). An exception thrown
    // by an event handler closes the dialog and leaves here after the system call has returned.
    bool VBGetOpenFileName2(FileDialogArguments& arguments);
    bool VBGetSaveFileName2(FileDialogArguments& arguments);
    // The same without a template: bit 0x40 is cleared from flags and no module is handed on.
    bool VBGetOpenFileName(FileDialogArguments& arguments);
    bool VBGetSaveFileName(FileDialogArguments& arguments);

    bool VBChooseColor(ColorDialogArguments& arguments);
    bool VBChooseFont(FontDialogArguments& arguments);
    bool VBPrintDlg(PrintDialogArguments& arguments);

    // What the hook procedure forwards while this companion's hooked dialog shows.
    UINT_PTR DialogHook(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

    // The last dialog call's result: 1 for OK, 0 for a cancel or a failure.
    int APIReturn() const { return apiReturn_; }
    // The system's extended error code of the last dialog call; 0 after OK or a plain cancel.
    DWORD ExtendedError() const { return extendedError_; }
    // The flag word of the dialog record that the last file dialog handed to the system.
    DWORD RecordFlags() const { return recordFlags_; }
    // The length, in characters, of the file-name buffer in that record.
    std::size_t RecordFileLength() const { return recordFileLength_; }

    // The 16 custom colours of the colour dialog, indices 0 to 15, starting as system colours 0 to
    // 15. Reading another index gives CLR_INVALID (-1); writing one is ignored.
    COLORREF CustomColor(int index);
    void CustomColor(int index, COLORREF color);

    // The device, driver and port names of the printer chosen in the last print dialog.
    const std::wstring& PrinterName() const { return printerName_; }
    const std::wstring& PrinterDriver() const { return printerDriver_; }
    const std::wstring& PrinterOutputPort() const { return printerPort_; }

private:
    class HookScope;

    bool ShowFileDialog(FileDialogArguments& arguments, bool save, bool templateAllowed);
    // Makes one modal system call, with the hook pointed at this companion when `hooked`.
    BOOL RunHooked(bool hooked, CommonDialogEventSink* sink, bool childDialog, const std::function<BOOL()>& systemCall);
    bool Finish(BOOL systemResult);
    UINT_PTR DispatchNotification(HWND hDlg, const NMHDR& header);
    UINT_PTR AbandonAfterHandlerError(HWND hDlg, UINT msg, LPARAM lParam);
    std::array<COLORREF, 16>& CustomColors();
    void TakePrinterNames(cMemory& deviceNames);

    FileBufferLengths lengths_;
    int apiReturn_ = 0;
    DWORD extendedError_ = 0;
    DWORD recordFlags_ = 0;
    std::size_t recordFileLength_ = 0;
    CommonDialogEventSink* eventSink_ = nullptr; // held only while a hooked dialog is up
    bool hookSeesChildDialog_ = false;           // file dialogs hook a child of the real dialog
    std::exception_ptr handlerError_;
    std::optional<std::array<COLORREF, 16>> customColors_;
    std::wstring printerName_;
    std::wstring printerDriver_;
    std::wstring printerPort_;
};

} // namespace quarrow::dialogs
