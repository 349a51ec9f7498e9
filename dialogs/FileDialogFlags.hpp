#pragma once
// The flag words of the open and save dialogs. Callers pass a flag word of their own; only the bits
// below are read from it, and the word handed to the system is built from them alone, so a bit such
// as "path must exist" (0x800) in a caller's value has no effect.

#include <windows.h>
#include <commdlg.h>

namespace quarrow::dialogs {

// What an open dialog takes from the caller's flags.
struct OpenDialogChoices {
    bool FileMustExist = false; // 0x1000
    bool MultiSelect = false;   // 0x200
    bool ReadOnly = false;      // 0x1: the read-only box starts ticked
    bool HideReadOnly = false;  // 0x4
};

OpenDialogChoices ReadOpenDialogChoices(DWORD flags);

// What a save dialog takes from the caller's flags: whether to ask before overwriting (0x2).
bool ReadOverwritePrompt(DWORD flags);

// The caller's flags use a dialog template (0x40).
bool AsksForTemplate(DWORD flags);

// The system's flag word for an open dialog: the chosen bits, and the Explorer style (0x80000) with a
// multiple selection so that names come back NUL-separated.
DWORD OpenDialogFlagWord(const OpenDialogChoices& choices);

// The system's flag word for a save dialog: the read-only box hidden, the overwrite prompt when asked.
DWORD SaveDialogFlagWord(bool overwritePrompt);

// Adds the hook bits (a hook needs the Explorer style: 0x80020) and the template bit (0x40).
DWORD WithHookAndTemplate(DWORD flagWord, bool hook, bool useTemplate);

} // namespace quarrow::dialogs
