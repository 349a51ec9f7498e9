#pragma once
// A list view as the user acts on it and sees it: selecting a row as a click does, and a cell's text as
// the control shows it. Rows are 1-based, columns too, as the entry lists count them.

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>

namespace quarrow::testing {

inline void SelectRow(HWND list, std::size_t row) {
    ListView_SetItemState(list, static_cast<int>(row) - 1, LVIS_SELECTED, LVIS_SELECTED);
}

inline void DeselectRow(HWND list, std::size_t row) {
    ListView_SetItemState(list, static_cast<int>(row) - 1, 0, LVIS_SELECTED);
}

inline std::wstring ShownCell(HWND list, std::size_t row, int column) {
    wchar_t buffer[512] = {};
    ListView_GetItemText(list, static_cast<int>(row) - 1, column - 1, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

} // namespace quarrow::testing
