#pragma once
// Which toolbar buttons a command leaves enabled: the main window's enable table, row by row. After
// each command the window applies the row of what happened; buttons the row leaves out keep their
// state. New, Open, Help and About are always enabled.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace quarrow::app {

// The buttons whose state the commands change.
enum class SwitchedButton : std::size_t { Pack, Extract, AddFile, AddFolder, AddContent, Delete };
inline constexpr std::size_t kSwitchedButtonCount = 6;

// The toolbar button's State values.
inline constexpr std::int16_t kEnabled = 0;
inline constexpr std::int16_t kDisabled = 4;

// What has just happened.
enum class Outcome {
    Load,
    New,
    OpenWithEntries,
    OpenWithoutEntries,
    Pack,
    AddFileConfirmed,
    AddFileCancelled,
    AddFolderChosen,
    AddFolderCancelled,
    Delete,
};

// One row of the table: a state for each button, or none where the button keeps its state.
class ButtonStates {
public:
    std::optional<std::int16_t> operator[](SwitchedButton button) const {
        return states_[static_cast<std::size_t>(button)];
    }
    void Set(SwitchedButton button, std::int16_t state) { states_[static_cast<std::size_t>(button)] = state; }

private:
    std::array<std::optional<std::int16_t>, kSwitchedButtonCount> states_{};
};

// The row for `outcome`; `listEmpty` tells whether the entry list is empty afterwards, which decides
// the Delete button wherever the table says "count". An Open leaves Pack as it was: opened entries are
// packed from the archive they were read from.
ButtonStates EnableRule(Outcome outcome, bool listEmpty);

} // namespace quarrow::app
