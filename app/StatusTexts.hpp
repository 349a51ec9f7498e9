#pragma once
// What the main window's status bar says about the long commands: panel 3 while the command runs,
// then panel 2 the elapsed time behind its label and panel 3 the outcome.

#include <cstddef>
#include <string>
#include <string_view>

namespace quarrow::app {

// The status bar's panels, by number.
inline constexpr int kElapsedPanel = 2; // "MAIN": the elapsed-time line of the last command
inline constexpr int kStatePanel = 3;   // "VER": the state of the last command

struct CommandStatus {
    std::wstring_view running;      // panel 3 while the command runs
    std::wstring_view elapsedLabel; // panel 2 afterwards, before the elapsed time
    std::wstring_view finished;     // panel 3 afterwards
};

inline constexpr CommandStatus kOpenStatus{L"开启中", L"载入时间：", L"开启完成！"};
inline constexpr CommandStatus kPackStatus{L"打包中", L"使用时间：", L"打包完成！"};
inline constexpr CommandStatus kExtractStatus{L"解包中", L"解包时间：", L"解包完成！"};
// Add folder ends with the file count followed by kAddFolderCountSuffix rather than a fixed text.
inline constexpr CommandStatus kAddFolderStatus{L"增加档案", L"使用时间：", L""};
inline constexpr std::wstring_view kAddFolderCountSuffix = L" 档案";

// Panel 3 after Find: how many rows match, or that none does.
inline std::wstring FoundText(std::size_t count) { return L"找到 " + std::to_wstring(count) + L" 个档案"; }
inline constexpr std::wstring_view kNothingFoundText = L"没有找到符合的档案";

// Panel 3 when the window has just loaded.
inline constexpr std::wstring_view kReadyText = L"就绪";

} // namespace quarrow::app
