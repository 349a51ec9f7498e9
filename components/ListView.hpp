#pragma once
// The report-style list that shows an entry list: an owner-data (virtual) list view over a RowSource.
// The control holds no rows of its own, only the row count and which rows are selected; every cell is
// read from the source when it is painted. Rows are addressed by their 1-based position, as the entry
// lists address them, and nothing here ever sorts or reorders them.
//
// Its notifications reach it through its parent, which must be a win32::Window (which reflects them).

#include "RowSource.hpp"

#include "Gdi.hpp"
#include "Window.hpp"

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::components {

class ListView final : public win32::NotificationTarget {
public:
    // Creates the control as a child of `parent` (pixels), several rows selectable, showing `source`,
    // which must outlive the control. Throws std::system_error when the system refuses the window.
    ListView(HWND parent, int x, int y, int width, int height, int id, const RowSource& source);
    ~ListView();
    HWND Handle() const { return hwnd_; }

    // Columns are added left to right; widths in pixels.
    void AddColumn(std::wstring_view header, int width);
    int ColumnCount() const;
    std::wstring ColumnHeader(int column) const;
    void SetColumnHeader(int column, std::wstring_view header);

    // Takes the source's row count and repaints, keeping the selection: for rows appended at the end.
    void Refresh();
    // Takes the source's row count with nothing selected: for rows removed, or all rows replaced.
    void Reset();

    // The rows the control counts (the source's count as of the last Refresh or Reset).
    std::size_t Count() const;

    bool Selected(std::size_t row) const;
    // Every selected row, ascending.
    std::vector<std::size_t> SelectedPositions() const;

    // The first row whose first-column text begins with `prefix`, letters compared without regard to
    // case; searching starts at row `start` and, when `wrap`, goes round to row 1.
    std::optional<std::size_t> FindItem(std::wstring_view prefix, std::size_t start = 1, bool wrap = false) const;

    // Selects exactly the rows at `positions` (ascending and within the count), in one pass without
    // repainting row by row.
    void SelectOnly(const std::vector<std::size_t>& positions);
    // Moves the focus rectangle (where the keyboard goes on from) to `row` and scrolls it into view;
    // the selection stays as it is.
    void FocusRow(std::size_t row);
    // The row with the focus rectangle, if any.
    std::optional<std::size_t> FocusedRow() const;

    void SetFocus();

    // A key pressed while the list has the focus: the virtual-key code.
    std::function<void(WORD key)> KeyDown;
    // The left button pressed on a row and moved with it held: the selected rows are being dragged.
    std::function<void()> BeginDrag;
    // A row activated: Enter or a double-click on it.
    std::function<void(std::size_t row)> RowActivated;

private:
    std::optional<LRESULT> OnNotify(const NMHDR& header) override;
    void ClearSelection();

    void FillCell(LVITEMW& item) const;
    LRESULT FindForKeyboard(const NMLVFINDITEMW& find) const;

    const RowSource& source_;
    HWND hwnd_ = nullptr;
    win32::UniqueFont font_;
};

} // namespace quarrow::components
