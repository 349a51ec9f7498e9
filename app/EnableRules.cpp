#include "EnableRules.hpp"

namespace quarrow::app {

ButtonStates EnableRule(Outcome outcome, bool listEmpty) {
    using enum SwitchedButton;
    const std::int16_t byCount = listEmpty ? kDisabled : kEnabled;
    ButtonStates row;
    switch (outcome) {
    case Outcome::Load:
    case Outcome::New:
        row.Set(Pack, kDisabled);
        row.Set(Extract, kDisabled);
        row.Set(AddFile, kEnabled);
        row.Set(AddFolder, kEnabled);
        row.Set(AddContent, kDisabled);
        row.Set(Delete, kDisabled);
        break;
    case Outcome::OpenWithEntries:
        row.Set(Pack, kDisabled);
        row.Set(Extract, kEnabled);
        row.Set(AddFile, kDisabled);
        row.Set(AddFolder, kDisabled);
        row.Set(AddContent, kEnabled);
        break;
    case Outcome::OpenWithoutEntries:
        row.Set(Extract, kDisabled);
        row.Set(AddFile, kEnabled);
        row.Set(AddFolder, kEnabled);
        row.Set(AddContent, kEnabled);
        break;
    case Outcome::Pack:
        row.Set(AddFile, kDisabled);
        row.Set(AddFolder, kDisabled);
        row.Set(AddContent, kEnabled);
        row.Set(Delete, kDisabled);
        break;
    case Outcome::AddFileConfirmed:
    case Outcome::AddFolderChosen:
        row.Set(Pack, kEnabled);
        row.Set(Delete, byCount);
        break;
    case Outcome::AddFileCancelled:
    case Outcome::AddFolderCancelled:
    case Outcome::Delete:
        row.Set(Delete, byCount);
        break;
    }
    return row;
}

} // namespace quarrow::app
