#include "ListMenu.hpp"

namespace quarrow::app {

namespace {

constexpr ListMenuItem kItems[] = {
    {ListMenuCommand::Open, L"打开", false},
    {ListMenuCommand::Find, L"查找档案…", false},
    {ListMenuCommand::ExtractSelected, L"解包所选档案…", true},
    {ListMenuCommand::ReplaceData, L"替换档案内容…", false},
    {ListMenuCommand::AddFiles, L"增加档案…", true},
    {ListMenuCommand::AddFolder, L"增加目录…", false},
    {ListMenuCommand::Delete, L"删除档案", false},
    {ListMenuCommand::SaveAs, L"另存为PAK…", true},
};

} // namespace

std::span<const ListMenuItem> ListMenuItems() { return kItems; }

bool ListMenuItemEnabled(ListMenuCommand command, const ListSelection& selection) {
    switch (command) {
    // One row, opened in the program its kind of file is opened with.
    case ListMenuCommand::Open: return selection.selected == 1;
    case ListMenuCommand::Find: return selection.rows > 0;
    case ListMenuCommand::ExtractSelected: return selection.selectedInArchive > 0;
    // One row's data at a time: the file picked is the row's new content.
    case ListMenuCommand::ReplaceData: return selection.selected == 1;
    case ListMenuCommand::AddFiles:
    case ListMenuCommand::AddFolder: return true;
    case ListMenuCommand::Delete: return selection.selected > 0;
    case ListMenuCommand::SaveAs: return selection.rows > 0;
    }
    return false;
}

} // namespace quarrow::app
