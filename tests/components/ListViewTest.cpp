// The virtual list over a row source: rows appear without being copied, selections come back as
// ascending positions, prefix search, column headers and the keys the list passes on.

#include "ListView.hpp"

#include "ListViewRows.hpp"
#include "Window.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::components {
namespace {

// Rows "name-<n>" with a second column of the row's number; a row's first column can be set.
class NumberedRows : public RowSource {
public:
    std::size_t count = 0;
    std::vector<std::wstring> names; // when not empty, the first column of the first rows
    mutable std::size_t cellsAsked = 0;

    std::size_t RowCount() const override { return count; }
    std::wstring CellText(std::size_t row, int column) const override {
        ++cellsAsked;
        if (column == 1 && row <= names.size()) {
            return names[row - 1];
        }
        return column == 1 ? L"name-" + std::to_wstring(row) : std::to_wstring(row);
    }
};

// A hidden parent, which reflects the list's notifications back to it as the program's windows do.
class Parent : public win32::Window {
public:
    Parent() {
        RegisterWindowClass(L"QuarrowTestListParent");
        CreateHandle(0, L"QuarrowTestListParent", L"list parent", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr);
    }
    ~Parent() override { DestroyHandle(); }
};

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.AddColumn(L"档案名字", 200);
        list.AddColumn(L"档案大小（b）", 93);
    }

    std::wstring Shown(std::size_t row, int column) const { return testing::ShownCell(list.Handle(), row, column); }
    void Fill(std::size_t count) {
        rows.count = count;
        list.Reset();
    }

    NumberedRows rows;
    Parent parent;
    ListView list{parent.Handle(), 0, 0, 480, 360, 7, rows};
};

TEST_F(ListViewTest, AHundredThousandRowsAppearAtOnceAndOnlyTheCellsAskedForAreRead) {
    Fill(100000);
    EXPECT_EQ(list.Count(), 100000u);
    rows.cellsAsked = 0;
    EXPECT_EQ(Shown(100000, 1), L"name-100000");
    EXPECT_EQ(Shown(1, 2), L"1");
    EXPECT_LT(rows.cellsAsked, 10u) << "no row is copied into the control";
}

TEST_F(ListViewTest, AStaleRowPaintsEmptyWhileTheSourceShrinksUnderIt) {
    Fill(5);
    rows.count = 2; // an operation has emptied the source; the control still counts 5
    EXPECT_EQ(Shown(5, 1), L"");
    EXPECT_EQ(Shown(2, 1), L"name-2");
    list.Refresh();
    EXPECT_EQ(list.Count(), 2u);
}

TEST_F(ListViewTest, SeveralRowsAreSelectableAndComeBackAscending) {
    Fill(6);
    EXPECT_EQ((GetWindowLongPtrW(list.Handle(), GWL_STYLE) & LVS_SINGLESEL), 0) << "several rows selectable";
    EXPECT_TRUE(list.SelectedPositions().empty());
    for (const std::size_t row : {5, 2, 3}) {
        testing::SelectRow(list.Handle(), row);
    }
    EXPECT_TRUE(list.Selected(3));
    EXPECT_FALSE(list.Selected(4));
    EXPECT_FALSE(list.Selected(7)) << "beyond the last row";
    EXPECT_EQ(list.SelectedPositions(), (std::vector<std::size_t>{2, 3, 5}));
    testing::DeselectRow(list.Handle(), 3);
    EXPECT_EQ(list.SelectedPositions(), (std::vector<std::size_t>{2, 5}));

    list.Refresh(); // a row appended keeps the selection
    EXPECT_EQ(list.SelectedPositions(), (std::vector<std::size_t>{2, 5}));
    list.Reset(); // rows replaced: nothing stays selected
    EXPECT_TRUE(list.SelectedPositions().empty());
}

TEST_F(ListViewTest, FindItemMatchesTheFirstRowWhoseNameBeginsWithTheTextWhateverItsCase) {
    rows.names = {L"Readme.txt", L"DATA\\B.BIN", L"b.dat", L"B.DAT.BAK", L"三国.PAK"};
    Fill(5);
    EXPECT_EQ(list.FindItem(L"B.DAT"), 3u);
    EXPECT_EQ(list.FindItem(L"b.dat.b"), 4u);
    EXPECT_EQ(list.FindItem(L"三国"), 5u);
    EXPECT_EQ(list.FindItem(L"readme.TXT"), 1u);
    EXPECT_FALSE(list.FindItem(L"readme.txt.old"));
    EXPECT_FALSE(list.FindItem(L"B.BIN")) << "the text must begin the name";
    EXPECT_EQ(list.FindItem(L"b.dat", 4), 4u) << "from a later row";
    EXPECT_FALSE(list.FindItem(L"Readme", 2));
    EXPECT_EQ(list.FindItem(L"Readme", 2, true), 1u) << "round to the first row";
}

TEST_F(ListViewTest, TheControlsOwnSearchFindsRowsThroughTheSource) {
    rows.names = {L"alpha", L"Beta", L"gamma", L"beta"};
    Fill(4);
    std::wstring wanted = L"be";
    LVFINDINFOW find{};
    find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
    find.psz = wanted.c_str();
    EXPECT_EQ(ListView_FindItem(list.Handle(), -1, &find), 1);
    EXPECT_EQ(ListView_FindItem(list.Handle(), 1, &find), 3) << "after row 2";
    wanted = L"BETA";
    find.psz = wanted.c_str();
    find.flags = LVFI_STRING;
    EXPECT_EQ(ListView_FindItem(list.Handle(), -1, &find), 1) << "a whole name, any case";
    wanted = L"bet";
    find.psz = wanted.c_str();
    EXPECT_EQ(ListView_FindItem(list.Handle(), -1, &find), -1) << "a whole name only";
}

TEST_F(ListViewTest, ColumnHeadersCanBeReadAndChanged) {
    EXPECT_EQ(list.ColumnCount(), 2);
    EXPECT_EQ(list.ColumnHeader(2), L"档案大小（b）");
    EXPECT_EQ(ListView_GetColumnWidth(list.Handle(), 0), 200);
    list.SetColumnHeader(2, L"写入地址");
    EXPECT_EQ(list.ColumnHeader(2), L"写入地址");
    EXPECT_EQ(list.ColumnHeader(1), L"档案名字");
}

TEST_F(ListViewTest, KeysPressedInTheListReachItsOwner) {
    Fill(3);
    std::vector<WORD> keys;
    list.KeyDown = [&](WORD key) { keys.push_back(key); };
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageW(list.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(keys, (std::vector<WORD>{VK_DELETE, 'A'}));
}

} // namespace
} // namespace quarrow::components
