// The colour, font and print dialogs of the companion.

#include "GCommonDialog.hpp"

#include "cMemory.hpp"
#include "mDialogHook.hpp"

#include "Twips.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quarrow::dialogs {

namespace {

// Bits of the font and print flags that would make the system read templates, hooks or return a
// device context that these arguments do not carry.
constexpr DWORD kFontBitsNotHandedOn = CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_ENABLETEMPLATEHANDLE;
constexpr DWORD kPrintBitsNotHandedOn = PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_ENABLEPRINTTEMPLATE |
                                        PD_ENABLESETUPTEMPLATE | PD_ENABLEPRINTTEMPLATEHANDLE |
                                        PD_ENABLESETUPTEMPLATEHANDLE | PD_RETURNDC | PD_RETURNIC;

WORD PageNumber(int value) {
    return static_cast<WORD>(std::clamp(value, 0, static_cast<int>(std::numeric_limits<WORD>::max())));
}

// A DEVNAMES block naming `device`, with no driver or port: the print dialog completes them.
bool FillDeviceNames(cMemory& block, const std::wstring& device) {
    constexpr std::size_t kHeaderChars = sizeof(DEVNAMES) / sizeof(wchar_t);
    const std::size_t chars = kHeaderChars + 1 + device.size() + 1 + 1;
    if (!block.AllocateMemory(chars * sizeof(wchar_t), GMEM_MOVEABLE | GMEM_ZEROINIT)) {
        return false;
    }
    auto* names = static_cast<DEVNAMES*>(block.Pointer());
    if (!names) {
        return false;
    }
    names->wDriverOffset = static_cast<WORD>(kHeaderChars);
    names->wDeviceOffset = static_cast<WORD>(kHeaderChars + 1);
    names->wOutputOffset = static_cast<WORD>(kHeaderChars + 1 + device.size() + 1);
    auto* text = reinterpret_cast<wchar_t*>(names);
    std::memcpy(text + names->wDeviceOffset, device.c_str(), device.size() * sizeof(wchar_t));
    block.UnlockMemory();
    return true;
}

} // namespace

std::array<COLORREF, 16>& GCommonDialog::CustomColors() {
    if (!customColors_) {
        customColors_.emplace();
        for (int index = 0; index < 16; ++index) {
            (*customColors_)[static_cast<std::size_t>(index)] = GetSysColor(index);
        }
    }
    return *customColors_;
}

COLORREF GCommonDialog::CustomColor(int index) {
    return index >= 0 && index < 16 ? CustomColors()[static_cast<std::size_t>(index)] : CLR_INVALID;
}

void GCommonDialog::CustomColor(int index, COLORREF color) {
    if (index >= 0 && index < 16) {
        CustomColors()[static_cast<std::size_t>(index)] = color;
    }
}

bool GCommonDialog::VBChooseColor(ColorDialogArguments& arguments) {
    CHOOSECOLORW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = arguments.Owner == kNoOwner ? nullptr : arguments.Owner;
    record.rgbResult = arguments.Color;
    record.lpCustColors = CustomColors().data();
    record.Flags = CC_RGBINIT | ((arguments.flags & CC_ANYCOLOR) ? CC_ANYCOLOR : CC_SOLIDCOLOR) |
                   (arguments.flags & (CC_FULLOPEN | CC_PREVENTFULLOPEN));
    if (arguments.Hook) {
        record.Flags |= CC_ENABLEHOOK;
        record.lpfnHook = &mDialogHook::DialogHookProc;
    }
    const BOOL ok = RunHooked(arguments.Hook, arguments.EventSink, false, [&] { return ChooseColorW(&record); });
    if (ok) {
        arguments.Color = record.rgbResult;
    }
    return Finish(ok);
}

bool GCommonDialog::VBChooseFont(FontDialogArguments& arguments) {
    const int dotsPerInch = win32::ScreenDotsPerInchY();
    LOGFONTW logFont = arguments.Font.LogFont(dotsPerInch);
    CHOOSEFONTW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = arguments.Owner == kNoOwner ? nullptr : arguments.Owner;
    record.lpLogFont = &logFont;
    record.rgbColors = arguments.FontColor;
    record.nSizeMin = arguments.Min;
    record.nSizeMax = arguments.Max;
    record.Flags = (arguments.flags & ~kFontBitsNotHandedOn) | CF_INITTOLOGFONTSTRUCT;
    if ((record.Flags & (CF_SCREENFONTS | CF_PRINTERFONTS)) == 0) {
        // Without a font kind older systems list no fonts at all.
        record.Flags |= CF_SCREENFONTS;
    }
    if (arguments.Hook) {
        record.Flags |= CF_ENABLEHOOK;
        record.lpfnHook = &mDialogHook::DialogHookProc;
    }
    const BOOL ok = RunHooked(arguments.Hook, arguments.EventSink, false, [&] { return ChooseFontW(&record); });
    if (ok) {
        arguments.Font = win32::FontSpec::FromLogFont(logFont, dotsPerInch);
        // The dialog's own size field keeps the tenths of a point that the height in pixels rounds off.
        arguments.Font.points = record.iPointSize / 10.0;
        arguments.FontColor = record.rgbColors;
        arguments.flags = record.Flags;
    }
    return Finish(ok);
}

bool GCommonDialog::VBPrintDlg(PrintDialogArguments& arguments) {
    cMemory deviceNames;
    cMemory deviceMode;
    if (!arguments.Printer.empty() && !FillDeviceNames(deviceNames, arguments.Printer)) {
        deviceNames.FreeMemory();
    }
    PRINTDLGW record{};
    record.lStructSize = sizeof record;
    record.hwndOwner = arguments.Owner == kNoOwner ? nullptr : arguments.Owner;
    record.hDevNames = deviceNames.handle();
    record.Flags = arguments.flags & ~kPrintBitsNotHandedOn;
    record.nCopies = PageNumber(arguments.Copies);
    record.nFromPage = PageNumber(arguments.FromPage);
    record.nToPage = PageNumber(arguments.ToPage);
    record.nMinPage = PageNumber(arguments.Min);
    record.nMaxPage = PageNumber(arguments.Max);
    if (arguments.Hook) {
        record.Flags |= PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK;
        record.lpfnPrintHook = &mDialogHook::DialogHookProc;
        record.lpfnSetupHook = &mDialogHook::DialogHookProc;
    }
    const BOOL ok = RunHooked(arguments.Hook, arguments.EventSink, false, [&] { return PrintDlgW(&record); });
    // The system may have freed the block it was given and handed back others: own what it returned.
    deviceNames.ReleaseDontFreeMemory();
    deviceNames.handle(record.hDevNames);
    deviceMode.handle(record.hDevMode);
    if (ok) {
        arguments.Copies = record.nCopies;
        arguments.FromPage = record.nFromPage;
        arguments.ToPage = record.nToPage;
        TakePrinterNames(deviceNames);
    }
    return Finish(ok);
}

void GCommonDialog::TakePrinterNames(cMemory& deviceNames) {
    const auto* names = static_cast<const DEVNAMES*>(deviceNames.Pointer());
    if (names) {
        const auto* text = reinterpret_cast<const wchar_t*>(names);
        printerDriver_ = text + names->wDriverOffset;
        printerName_ = text + names->wDeviceOffset;
        printerPort_ = text + names->wOutputOffset;
    }
    deviceNames.UnlockMemory();
}

} // namespace quarrow::dialogs
