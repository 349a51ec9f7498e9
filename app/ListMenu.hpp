#pragma once
// The entry list's context menu: its items in order, and when each may be chosen. The toolbar keeps
// its own enable table; the menu reaches the same list through the place a Windows user looks for
// editing it, and each item's rule depends only on the list and its selection.

#include <cstddef>
#include <span>
#include <string_view>

namespace quarrow::app {

// Numbered from 1: a menu that returns 0 has had nothing chosen.
enum class ListMenuCommand {
    ExtractSelected = 1,
    ReplaceData,
    AddFiles,
    AddFolder,
    Delete,
    SaveAs,
    Open,
    Find,
};

struct ListMenuItem {
    ListMenuCommand command;
    std::wstring_view caption;
    bool separatorBefore;
};

std::span<const ListMenuItem> ListMenuItems();

// What the rules look at.
struct ListSelection {
    std::size_t rows = 0;
    std::size_t selected = 0;
    std::size_t selectedInArchive = 0; // selected rows whose bytes lie in the current archive
};

bool ListMenuItemEnabled(ListMenuCommand command, const ListSelection& selection);

} // namespace quarrow::app
