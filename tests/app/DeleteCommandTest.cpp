// Delete and the Delete key: the selected rows leave both lists, the others keep their order.

#include "MainWindowFixture.hpp"

namespace quarrow::app::testing {
namespace {

class DeleteCommand : public MainWindowTest {
protected:
    void AddFive() {
        for (const wchar_t* name : {L"1.bin", L"2.bin", L"3.bin", L"4.bin", L"5.bin"}) {
            WriteFile(name, "x");
        }
        AddFiles({L"1.bin", L"2.bin", L"3.bin", L"4.bin", L"5.bin"});
    }
    void Select(std::initializer_list<std::size_t> rows) {
        for (const std::size_t row : rows) {
            quarrow::testing::SelectRow(window.lstFile().Handle(), row);
        }
    }
    void PressDelete() { SendMessageW(window.lstFile().Handle(), WM_KEYDOWN, VK_DELETE, 0); }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (std::size_t row = 1; row <= window.workspace().Count(); ++row) {
            names.push_back(window.workspace().VisibleText(row, 1));
        }
        return names;
    }
};

TEST_F(DeleteCommand, RowsTwoThreeAndFiveOfFiveLeaveBothListsAndTheRestKeepTheirOrder) {
    AddFive();
    Select({2, 3, 5});
    window.Click(ToolbarButton::Del);
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"1.bin", L"4.bin"}));
    EXPECT_EQ(MasterRow(2)[0], PathOf(L"4.bin"));
    EXPECT_EQ(window.lstFile().Count(), 2u);
    EXPECT_TRUE(window.lstFile().SelectedPositions().empty());
    EXPECT_EQ(States()[5], 0) << "rows remain: Delete stays enabled";
    EXPECT_EQ(GetFocus(), window.lstFile().Handle());
}

TEST_F(DeleteCommand, NothingSelectedRemovesNothingAndAllSelectedGreysDelete) {
    AddFive();
    window.Click(ToolbarButton::Del);
    EXPECT_EQ(Names().size(), 5u);
    Select({1, 2, 3, 4, 5});
    window.Click(ToolbarButton::Del);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 4}));
}

TEST_F(DeleteCommand, TheDeleteKeyRemovesTheSelectedRowsEvenWhileTheButtonIsGrey) {
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    ASSERT_EQ(States()[5], 4);
    Select({2});
    PressDelete();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"A.BMP", L"C.DAT"}));
    EXPECT_EQ(MasterRow(2)[0], L"三国\\C.DAT");
    EXPECT_EQ(States()[5], 0) << "Delete follows the rows left";
}

TEST_F(DeleteCommand, TheDeleteKeyInAnEmptyListDoesNothing) {
    PressDelete();
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(States(), (SwitchedStates{4, 4, 0, 0, 4, 4}));
}

TEST_F(DeleteCommand, OtherKeysRemoveNothing) {
    AddFive();
    Select({1});
    SendMessageW(window.lstFile().Handle(), WM_KEYDOWN, VK_BACK, 0);
    EXPECT_EQ(Names().size(), 5u);
}

} // namespace
} // namespace quarrow::app::testing
