#include "ListView.hpp"

#include "FontSpec.hpp"

#include <algorithm>
#include <system_error>

namespace quarrow::components {

namespace {

void EnsureListViewClass() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes); // on failure the creation below reports it
}

bool StartsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    if (prefix.empty()) {
        return true;
    }
    return CompareStringOrdinal(text.data(), static_cast<int>(prefix.size()), prefix.data(),
                                static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
}

bool EqualIgnoringCase(std::wstring_view text, std::wstring_view other) {
    return text.size() == other.size() && StartsWithIgnoringCase(text, other);
}

int Index(std::size_t row) { return static_cast<int>(row) - 1; }

} // namespace

ListView::ListView(HWND parent, int x, int y, int width, int height, int id, const RowSource& source)
    : source_(source) {
    EnsureListViewClass();
    constexpr DWORD style =
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, x, y, width, height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), "list view");
    }
    Serve(hwnd_);
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // The message font is the one the system picks for the user's language, so Chinese names show.
    font_ = win32::FontSpec::MessageFont().Create();
    if (font_) {
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    }
    Reset();
}

ListView::~ListView() {
    // The control goes before the font it was given.
    if (hwnd_ && IsWindow(hwnd_)) {
        StopServing(hwnd_);
        DestroyWindow(hwnd_);
    }
}

void ListView::AddColumn(std::wstring_view header, int width) {
    std::wstring text(header);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = text.data();
    const int at = ColumnCount();
    ListView_InsertColumn(hwnd_, at, &column);
}

int ListView::ColumnCount() const {
    const HWND header = ListView_GetHeader(hwnd_);
    return header ? Header_GetItemCount(header) : 0;
}

std::wstring ListView::ColumnHeader(int column) const {
    wchar_t buffer[260] = {};
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = static_cast<int>(std::size(buffer));
    if (!ListView_GetColumn(hwnd_, column - 1, &item)) {
        return {};
    }
    return buffer;
}

void ListView::SetColumnHeader(int column, std::wstring_view header) {
    std::wstring text(header);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = text.data();
    ListView_SetColumn(hwnd_, column - 1, &item);
}

void ListView::Refresh() {
    ListView_SetItemCountEx(hwnd_, static_cast<int>(source_.RowCount()), LVSICF_NOSCROLL);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ListView::Reset() {
    ClearSelection();
    ListView_SetItemState(hwnd_, -1, 0, LVIS_FOCUSED);
    ListView_SetItemCountEx(hwnd_, static_cast<int>(source_.RowCount()), 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

std::size_t ListView::Count() const {
    const int count = ListView_GetItemCount(hwnd_);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

bool ListView::Selected(std::size_t row) const {
    if (row < 1 || row > Count()) {
        return false;
    }
    return (ListView_GetItemState(hwnd_, Index(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void ListView::ClearSelection() { ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED); }

std::vector<std::size_t> ListView::SelectedPositions() const {
    std::vector<std::size_t> positions;
    positions.reserve(ListView_GetSelectedCount(hwnd_));
    int index = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED);
    while (index >= 0) {
        positions.push_back(static_cast<std::size_t>(index) + 1);
        index = ListView_GetNextItem(hwnd_, index, LVNI_SELECTED);
    }
    // The control reports in index order; sorting guards the callers, who rely on ascending rows.
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

std::optional<std::size_t> ListView::FindItem(std::wstring_view prefix, std::size_t start, bool wrap) const {
    const std::size_t count = std::min(Count(), source_.RowCount());
    if (start < 1) {
        start = 1;
    }
    for (std::size_t row = start; row <= count; ++row) {
        if (StartsWithIgnoringCase(source_.CellText(row, 1), prefix)) {
            return row;
        }
    }
    if (wrap) {
        for (std::size_t row = 1; row < start && row <= count; ++row) {
            if (StartsWithIgnoringCase(source_.CellText(row, 1), prefix)) {
                return row;
            }
        }
    }
    return std::nullopt;
}

void ListView::SelectOnly(const std::vector<std::size_t>& positions) {
    // Each row's change costs the control two notifications, and painting each would cost more: one
    // call changes every row, then the fewer of the two sides changes row by row.
    const std::size_t count = Count();
    const bool most = positions.size() * 2 > count;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemState(hwnd_, -1, most ? LVIS_SELECTED : 0, LVIS_SELECTED);
    auto next = positions.begin();
    for (std::size_t row = 1; row <= count; ++row) {
        const bool listed = next != positions.end() && *next == row;
        if (listed) {
            ++next;
        }
        if (listed != most) {
            ListView_SetItemState(hwnd_, Index(row), listed ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
    }
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void ListView::FocusRow(std::size_t row) {
    if (row < 1 || row > Count()) {
        return;
    }
    ListView_SetItemState(hwnd_, Index(row), LVIS_FOCUSED, LVIS_FOCUSED);
    // Shift-click and Shift-arrows extend the selection from here, as from a row clicked.
    SendMessageW(hwnd_, LVM_SETSELECTIONMARK, 0, Index(row));
    ListView_EnsureVisible(hwnd_, Index(row), FALSE);
}

std::optional<std::size_t> ListView::FocusedRow() const {
    const int index = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED);
    return index >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(index) + 1) : std::nullopt;
}

void ListView::SetFocus() { ::SetFocus(hwnd_); }

std::optional<LRESULT> ListView::OnNotify(const NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOW: FillCell(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item); return 0;
    case LVN_ODFINDITEMW: return FindForKeyboard(*reinterpret_cast<const NMLVFINDITEMW*>(&header));
    case LVN_ITEMACTIVATE: {
        int index = reinterpret_cast<const NMITEMACTIVATE*>(&header)->iItem;
        if (index < 0) { // from the keyboard, the row it acted on is the focused one
            index = ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED);
        }
        if (RowActivated && index >= 0 && static_cast<std::size_t>(index) < source_.RowCount()) {
            RowActivated(static_cast<std::size_t>(index) + 1);
        }
        return 0;
    }
    case LVN_KEYDOWN:
        if (KeyDown) {
            KeyDown(reinterpret_cast<const NMLVKEYDOWN*>(&header)->wVKey);
        }
        return 0;
    case LVN_BEGINDRAG:
        if (BeginDrag) {
            BeginDrag();
        }
        return 0;
    default: return std::nullopt;
    }
}

void ListView::FillCell(LVITEMW& item) const {
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) {
        return;
    }
    item.pszText[0] = L'\0';
    // While an operation refills the source, the control may still count the old rows: those paint empty.
    const auto row = static_cast<std::size_t>(item.iItem) + 1;
    if (item.iItem < 0 || row > source_.RowCount()) {
        return;
    }
    const std::wstring text = source_.CellText(row, item.iSubItem + 1);
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
    std::copy_n(text.data(), length, item.pszText);
    item.pszText[length] = L'\0';
}

LRESULT ListView::FindForKeyboard(const NMLVFINDITEMW& find) const {
    const LVFINDINFOW& info = find.lvfi;
    if (!(info.flags & (LVFI_STRING | LVFI_PARTIAL)) || !info.psz) {
        return -1;
    }
    const std::wstring_view wanted(info.psz);
    // As with LVM_FINDITEM, the search begins after the start item (which a wrapping search reaches last).
    const std::size_t start = find.iStart >= 0 ? static_cast<std::size_t>(find.iStart) + 2 : 1;
    const bool wrap = (info.flags & LVFI_WRAP) != 0;
    if (info.flags & LVFI_PARTIAL) {
        const auto row = FindItem(wanted, start, wrap);
        return row ? Index(*row) : -1;
    }
    const std::size_t count = std::min(Count(), source_.RowCount());
    for (std::size_t step = 0; step < count; ++step) {
        std::size_t row = start + step;
        if (row > count) {
            if (!wrap) {
                break;
            }
            row -= count;
        }
        if (EqualIgnoringCase(source_.CellText(row, 1), wanted)) {
            return Index(row);
        }
    }
    return -1;
}

} // namespace quarrow::components
