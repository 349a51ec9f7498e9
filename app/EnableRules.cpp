#include "EnableRules.hpp"

#include <stdexcept>

namespace quarrow::app {

namespace {

// A cell of the table: enabled, disabled, unchanged, or by the rows the list holds.
enum class Cell { On, Off, Same, ByCount };

struct Row {
    Outcome outcome;
    // Pack, Extract, Add file, Add folder, Append content, Delete.
    std::array<Cell, kSwitchedButtonCount> cells;
};

using enum Cell;
constexpr Row kTable[] = {
    {Outcome::Load, {Off, Off, On, On, Off, Off}},
    {Outcome::New, {Off, Off, On, On, Off, Off}},
    {Outcome::OpenWithEntries, {Same, On, Off, Off, On, Same}},
    {Outcome::OpenWithoutEntries, {Same, Off, On, On, On, Same}},
    {Outcome::Pack, {Same, Same, Off, Off, On, Off}},
    {Outcome::AddFileConfirmed, {On, Same, Same, Same, Same, ByCount}},
    {Outcome::AddFileCancelled, {Same, Same, Same, Same, Same, ByCount}},
    {Outcome::AddFolderChosen, {On, Same, Same, Same, Same, ByCount}},
    {Outcome::AddFolderCancelled, {Same, Same, Same, Same, Same, ByCount}},
    {Outcome::Delete, {Same, Same, Same, Same, Same, ByCount}},
};

} // namespace

ButtonStates EnableRule(Outcome outcome, bool listEmpty) {
    for (const Row& row : kTable) {
        if (row.outcome != outcome) {
            continue;
        }
        ButtonStates states;
        for (std::size_t i = 0; i < kSwitchedButtonCount; ++i) {
            const auto button = static_cast<SwitchedButton>(i);
            switch (row.cells[i]) {
            case On: states.Set(button, kEnabled); break;
            case Off: states.Set(button, kDisabled); break;
            case ByCount: states.Set(button, listEmpty ? kDisabled : kEnabled); break;
            case Same: break;
            }
        }
        return states;
    }
    throw std::invalid_argument("no enable rule for this outcome");
}

} // namespace quarrow::app
