#include "FileDialogFlags.hpp"

namespace quarrow::dialogs {

OpenDialogChoices ReadOpenDialogChoices(DWORD flags) {
    OpenDialogChoices choices;
    choices.FileMustExist = (flags & OFN_FILEMUSTEXIST) != 0;
    choices.MultiSelect = (flags & OFN_ALLOWMULTISELECT) != 0;
    choices.ReadOnly = (flags & OFN_READONLY) != 0;
    choices.HideReadOnly = (flags & OFN_HIDEREADONLY) != 0;
    return choices;
}

bool ReadOverwritePrompt(DWORD flags) { return (flags & OFN_OVERWRITEPROMPT) != 0; }

bool AsksForTemplate(DWORD flags) { return (flags & OFN_ENABLETEMPLATE) != 0; }

DWORD OpenDialogFlagWord(const OpenDialogChoices& choices) {
    DWORD word = 0;
    if (choices.ReadOnly) {
        word |= OFN_READONLY;
    }
    if (choices.HideReadOnly) {
        word |= OFN_HIDEREADONLY;
    }
    if (choices.FileMustExist) {
        word |= OFN_FILEMUSTEXIST;
    }
    if (choices.MultiSelect) {
        word |= OFN_ALLOWMULTISELECT | OFN_EXPLORER;
    }
    return word;
}

DWORD SaveDialogFlagWord(bool overwritePrompt) {
    return OFN_HIDEREADONLY | (overwritePrompt ? OFN_OVERWRITEPROMPT : 0);
}

DWORD WithHookAndTemplate(DWORD flagWord, bool hook, bool useTemplate) {
    if (hook) {
        flagWord |= OFN_EXPLORER | OFN_ENABLEHOOK;
    }
    if (useTemplate) {
        flagWord |= OFN_ENABLETEMPLATE;
    }
    return flagWord;
}

} // namespace quarrow::dialogs
