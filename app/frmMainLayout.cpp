#include "frmMainLayout.hpp"

#include "EnableRules.hpp"
#include "StatusTexts.hpp"

namespace quarrow::app {

namespace {

constexpr std::array<ToolbarButtonLayout, kToolbarButtonCount> kButtons{{
    {ToolbarButton::New, L"btnNew", ToolbarRow::Top, 240, 1335, L"新PAK文件", kEnabled},
    {ToolbarButton::Open, L"btnOpen", ToolbarRow::Top, 1680, 1575, L"开启PAK文件", kEnabled},
    {ToolbarButton::Save, L"btnSave", ToolbarRow::Top, 3360, 1575, L"打包PAK文件", kDisabled},
    {ToolbarButton::Extract, L"btnExtract", ToolbarRow::Top, 5040, 1575, L"解包PAK文件", kDisabled},
    {ToolbarButton::Help, L"btnHelp", ToolbarRow::Top, 6840, 1215, L"使用说明", kEnabled},
    {ToolbarButton::About, L"btnAbout", ToolbarRow::Top, 8160, 855, L"关于", kEnabled},
    {ToolbarButton::AddFile, L"btnAddFile", ToolbarRow::Second, 240, 1215, L"增加档案", kEnabled},
    {ToolbarButton::AddFolder, L"btnAddFolder", ToolbarRow::Second, 1560, 1215, L"增加目录", kEnabled},
    {ToolbarButton::AddContent, L"btnAddContent", ToolbarRow::Second, 2880, 1575, L"附加档案内容", kDisabled},
    {ToolbarButton::Del, L"btnDel", ToolbarRow::Second, 4560, 1215, L"删除档案", kDisabled},
}};

} // namespace

std::span<const ToolbarButtonLayout> ToolbarButtons() { return kButtons; }

std::array<controls::StatusPanelSettings, 3> StatusPanels() {
    controls::StatusPanelSettings icon;
    icon.key = L"ICON";
    icon.imageIndex = 0;
    icon.minWidth = 8;
    controls::StatusPanelSettings main;
    main.key = L"MAIN";
    main.imageIndex = -1;
    main.minWidth = 64;
    main.spring = true;
    controls::StatusPanelSettings version;
    version.key = L"VER";
    version.text = std::wstring(kReadyText);
    version.imageIndex = 3;
    version.minWidth = 100;
    return {icon, main, version};
}

} // namespace quarrow::app
