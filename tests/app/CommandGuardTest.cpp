// One command at a time: clicks, the Delete key and a close that arrive while a command runs; and a
// failure no command expected, shown instead of lost.

#include "MainWindowFixture.hpp"

#include "MessagePump.hpp"
#include "RaisedError.hpp"
#include "SystemErrorText.hpp"
#include "dlgSave.hpp"

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <system_error>

namespace quarrow::app::testing {
namespace {

using CommandGuard = MainWindowTest;

TEST_F(CommandGuard, ClicksAndTheDeleteKeyDuringAnOpenStartNothing) {
    WriteFile(L"a.bin", "x");
    AddFiles({L"a.bin"});
    quarrow::testing::SelectRow(window.lstFile().Handle(), 1);
    const std::size_t asked = dialogs.Requests().size();
    int breaths = 0;
    progress.onBreathe = [&] {
        if (breaths++ == 0) {
            window.Click(ToolbarButton::New);
            window.Click(ToolbarButton::Open);
            window.Click(ToolbarButton::Save);
            SendMessageW(window.lstFile().Handle(), WM_KEYDOWN, VK_DELETE, 0);
        }
    };
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    EXPECT_GT(breaths, 0);
    EXPECT_EQ(dialogs.Requests().size(), asked + 1) << "only the Open's own dialog";
    EXPECT_EQ(window.workspace().Count(), 3u) << "the archive's rows, none deleted";
    EXPECT_FALSE(window.Busy().Busy());
}

TEST_F(CommandGuard, AClickWhileTheFlagIsHeldStartsNothingAndShowsTheRunningCommandsWindow) {
    // The running command's progress window, then the append-content window above it and another
    // program's window in front of both.
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    const std::size_t asked = dialogs.Requests().size();
    dlgSave running(window.Handle());
    running.Show();
    window.Click(ToolbarButton::AddContent);
    ASSERT_NE(window.AddContentWindow(), nullptr);
    dlgSave elsewhere(nullptr);
    elsewhere.Show();
    SetForegroundWindow(elsewhere.Handle());
    ASSERT_EQ(GetForegroundWindow(), elsewhere.Handle());

    const auto held = window.Busy().TryEnter();
    ASSERT_TRUE(held);
    EXPECT_FALSE(window.Busy().TryEnter());
    window.Click(ToolbarButton::Open);
    EXPECT_EQ(GetForegroundWindow(), running.Handle());
    SetForegroundWindow(elsewhere.Handle());
    window.Click(ToolbarButton::Extract);
    EXPECT_EQ(GetForegroundWindow(), running.Handle());
    EXPECT_EQ(dialogs.Requests().size(), asked);
}

TEST_F(CommandGuard, ACloseDuringACommandWaitsForItsEnd) {
    bool unloaded = false;
    window.Unloaded = [&] { unloaded = true; };
    progress.onBreathe = [&] { SendMessageW(window.Handle(), WM_CLOSE, 0, 0); };
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    EXPECT_EQ(window.workspace().Count(), 3u) << "the Open ran to its end";
    EXPECT_FALSE(unloaded);
    ASSERT_NE(window.Handle(), nullptr);
    win32::PumpPendingMessages();
    EXPECT_TRUE(unloaded);
    EXPECT_EQ(window.Handle(), nullptr);
}

// Fails the open dialog the way no command expects, and writes down the message boxes.
class FailingDialogs final : public dialogs::DialogProvider {
public:
    std::function<void()> fail = [] { throw std::runtime_error("dialog broke"); };
    std::vector<dialogs::MessageRequest> messages;
    std::wstring OpenFile(const dialogs::FileDialogRequest&) override {
        fail();
        return {};
    }
    dialogs::FileSelection OpenFiles(const dialogs::FileDialogRequest&) override { return {}; }
    std::wstring SaveFile(const dialogs::FileDialogRequest&) override { return {}; }
    std::wstring BrowseFolder(const dialogs::FolderRequest&) override { return {}; }
    int ShowMessage(const dialogs::MessageRequest& request) override {
        messages.push_back(request);
        return IDOK;
    }
};

TEST(UnexpectedFailure, IsShownInAMessageBoxAndTheWindowTakesCommandsAgain) {
    FailingDialogs failing;
    frmMain window(failing);
    window.Click(ToolbarButton::Open);
    ASSERT_EQ(failing.messages.size(), 1u);
    EXPECT_EQ(failing.messages[0].Style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(failing.messages[0].Text, L"发生了意外的错误，命令没有完成。\r\n程序内部的错误：dialog broke");
    EXPECT_FALSE(window.Busy().Busy());
    window.Click(ToolbarButton::AddFile); // answered as a cancel
    EXPECT_EQ(window.Button(ToolbarButton::Del).State(), 4);
}

TEST(UnexpectedFailure, TellsTheSystemsReasonInItsWordsAndAComponentsErrorByItsNumber) {
    const std::filesystem::path gone = L"C:\\没有\\A.PAK";
    const struct {
        std::function<void()> fail;
        std::wstring reason;
    } cases[] = {
        {[&] {
             throw std::filesystem::filesystem_error("gone", gone,
                                                     std::make_error_code(std::errc::no_such_file_or_directory));
         },
         WideFromPath(gone) + L"：" + SystemErrorText(ERROR_FILE_NOT_FOUND)},
        {[] { throw std::system_error(std::make_error_code(std::errc::no_space_on_device)); },
         SystemErrorText(ERROR_DISK_FULL)},
        {[] { throw win32::RaisedError(13451, L"Quarrow.cCommonDialog", L"The system could not show the dialog."); },
         L"程序内部的错误：Quarrow.cCommonDialog 错误 13451"},
    };
    for (const auto& failure : cases) {
        FailingDialogs failing;
        failing.fail = failure.fail;
        frmMain window(failing);
        window.Click(ToolbarButton::Open);
        ASSERT_EQ(failing.messages.size(), 1u);
        EXPECT_EQ(failing.messages[0].Text, L"发生了意外的错误，命令没有完成。\r\n" + failure.reason);
    }
}

} // namespace
} // namespace quarrow::app::testing
