#pragma once
// The main window's layout as drawn: its size, the two toolbar rows with their buttons and separator,
// the entry list with its columns, and the status bar with its panels. Lengths are twips; the window
// converts them at the screen's resolution once, at load, and never moves a control afterwards.

#include "cNoStatusBar.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace quarrow::app {

enum class ToolbarButton { New, Open, Save, Extract, Help, About, AddFile, AddFolder, AddContent, Del };
inline constexpr std::size_t kToolbarButtonCount = 10;

enum class ToolbarRow { Top, Second };

struct ToolbarButtonLayout {
    ToolbarButton button;
    std::wstring_view name; // the control's name, also the name of its picture resource
    ToolbarRow row;
    int x;
    int width;
    std::wstring_view caption;
    std::int16_t stateAtLoad;
};

namespace layout {

inline constexpr int kClientWidth = 9495;
inline constexpr int kClientHeight = 7320;
inline constexpr int kToolbarHeight = 390; // each of JCToolbar1 and JCToolbar4
inline constexpr int kListTop = 840;
inline constexpr int kListHeight = 6135;
inline constexpr int kStatusHeight = 375;

// The etched separator of the top row.
inline constexpr int kSeparatorX = 6720;
// Inside the 26-pixel strip the separator stands 20 pixels high, 3 below the strip's top.
inline constexpr int kSeparatorTopPixels = 3;
inline constexpr int kSeparatorHeightPixels = 20;

struct ListColumn {
    std::wstring_view header;
    int width;
};
inline constexpr std::array<ListColumn, 3> kListColumns{{
    {L"档案名字", 3000},
    {L"档案大小（b）", 1400},
    {L"目录", 4600},
}};

} // namespace layout

// The ten buttons, top row first, left to right.
std::span<const ToolbarButtonLayout> ToolbarButtons();

// The status bar's panels in order: "ICON", "MAIN" (which takes the free width) and "VER".
std::array<controls::StatusPanelSettings, 3> StatusPanels();

} // namespace quarrow::app
