#pragma once
// A main window for one test: hidden (so that it goes away at once), asking the scripted dialog
// provider for every path and answer, and reporting its progress to a recorder instead of a progress
// window (through the program's own wording). Helpers write files into a fresh folder and run the commands as clicks
// would.

#include "frmMain.hpp"

#include "HandMadeArchive.hpp"
#include "DisplayRecorder.hpp"
#include "ExampleArchive.hpp"
#include "ScriptedDialogProvider.hpp"
#include "TempDir.hpp"
#include "ListViewRows.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarrow::app::testing {

// The states of the six buttons that the commands switch, in the enable table's order:
// Pack, Extract, Add file, Add folder, Append content, Delete.
using SwitchedStates = std::array<std::int16_t, 6>;

class MainWindowTest : public ::testing::Test {
protected:
    void TearDown() override;

    // A file in the test's folder, written with `content`; its full path.
    std::wstring WriteFile(const std::wstring& name, const std::string& content) const;
    std::wstring WriteArchive(const std::wstring& name, const quarrow::testing::HandMadeArchive& archive) const;
    // The two files of the example archive, in its order; their names.
    std::vector<std::wstring> WriteExampleFiles() const;
    std::wstring PathOf(const std::wstring& name) const;

    // The commands with their dialogs answered; `thenMessage` answers a message box that follows.
    // Add file with the names chosen in the test's folder.
    void AddFiles(const std::vector<std::wstring>& names, std::optional<int> thenMessage = std::nullopt);
    void OpenArchive(const std::wstring& path, std::optional<int> thenMessage = std::nullopt);
    // Pack answered with `target` (empty: cancelled).
    void Pack(const std::wstring& target, std::optional<int> thenMessage = std::nullopt);
    void Extract(const std::wstring& folder, std::optional<int> thenMessage = std::nullopt);

    SwitchedStates States() const;
    std::int16_t State(ToolbarButton button) const { return window.Button(button).State(); }
    std::vector<std::wstring> VisibleRow(std::size_t row) const;
    std::vector<std::wstring> MasterRow(std::size_t row) const;
    const dialogs::RecordedRequest& LastRequest() const;

    quarrow::testing::TempDir dir;
    dialogs::ScriptedDialogProvider dialogs;
    DisplayRecorder progress;
    std::vector<HWND> progressOwners;
    frmMain window{dialogs, [this](HWND owner) -> std::unique_ptr<ProgressDisplay> {
                       progressOwners.push_back(owner);
                       return std::make_unique<ForwardingDisplay>(progress);
                   }};
};

// A small archive of three entries, one of them with a Chinese directory.
quarrow::testing::HandMadeArchive ThreeEntryArchive();

} // namespace quarrow::app::testing
