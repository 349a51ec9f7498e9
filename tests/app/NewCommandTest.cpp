// New: the question about an unsaved list and its three answers, and what New resets.

#include "MainWindowFixture.hpp"

#include "StatusTexts.hpp"

#include <filesystem>

namespace quarrow::app::testing {
namespace {

class NewCommand : public MainWindowTest {
protected:
    // Two files added, not packed: New has something to ask about.
    void AddTwoFiles() { AddFiles(WriteExampleFiles()); }
    // New with the question answered (when it is asked) and, after Yes, the save dialog answered.
    void New(std::optional<int> answer, std::optional<std::wstring> packTarget = std::nullopt) {
        if (answer) {
            dialogs.AnswerMessage(*answer);
        }
        if (packTarget) {
            dialogs.AnswerSaveFile(*packTarget);
        }
        window.Click(ToolbarButton::New);
    }
    void ExpectEmptied() {
        EXPECT_EQ(window.workspace().Count(), 0u);
        EXPECT_EQ(window.lstFile().Count(), 0u);
        EXPECT_FALSE(window.bSaved());
        EXPECT_EQ(window.txtPAKName(), L"");
        EXPECT_EQ(States(), (SwitchedStates{4, 4, 0, 0, 4, 4}));
        EXPECT_EQ(window.StatusText(kElapsedPanel), L"");
        EXPECT_EQ(window.StatusText(kStatePanel), L"");
    }
};

TEST_F(NewCommand, AnUnsavedListBringsTheQuestionAndCancelLeavesEverythingAsItWas) {
    AddTwoFiles();
    quarrow::testing::SelectRow(window.lstFile().Handle(), 2);
    const SwitchedStates before = States();
    New(IDCANCEL);

    const dialogs::RecordedRequest& question = LastRequest();
    ASSERT_EQ(question.Kind, dialogs::DialogKind::Message);
    EXPECT_EQ(question.Message.Text, L"目前的文件还没有被保存为PAK。是否要保存？");
    EXPECT_EQ(question.Message.Title, L"保存？");
    EXPECT_EQ(question.Message.Style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(question.Message.Owner, window.Handle());

    EXPECT_EQ(window.workspace().Count(), 2u);
    EXPECT_EQ(window.lstFile().SelectedPositions(), (std::vector<std::size_t>{2}));
    EXPECT_EQ(States(), before);
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
}

TEST_F(NewCommand, NoEmptiesTheListWithoutPacking) {
    AddTwoFiles();
    New(IDNO);
    ExpectEmptied();
    EXPECT_TRUE(progress.events.empty());
}

TEST_F(NewCommand, YesPacksFirstAndThenEmptiesTheList) {
    AddTwoFiles();
    New(IDYES, PathOf(L"SAVED.PAK"));
    EXPECT_EQ(quarrow::testing::ReadFileBytes(dir.Path() / L"SAVED.PAK"), quarrow::testing::ExampleArchiveBytes());
    ExpectEmptied();
}

TEST_F(NewCommand, YesAndThenARefusedOrFailedPackKeepsEverything) {
    AddTwoFiles();
    const SwitchedStates before = States();
    const auto newAnsweredYes = [&](const std::wstring& packTarget) {
        dialogs.AnswerMessage(IDYES);
        dialogs.AnswerSaveFile(packTarget);
        dialogs.AnswerMessage(IDOK); // the Pack's message
        window.Click(ToolbarButton::New);
        EXPECT_EQ(LastRequest().Message.Title, L"打包错误");
        EXPECT_EQ(window.workspace().Count(), 2u);
        EXPECT_EQ(window.txtPAKName(), L"");
        EXPECT_EQ(States(), before);
        EXPECT_FALSE(window.bSaved());
        EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
    };
    std::filesystem::remove(PathFromWide(PathOf(L"B.TXT")));
    newAnsweredYes(PathOf(L"SAVED.PAK")); // refused: a source is gone
    WriteFile(L"B.TXT", "hello");
    newAnsweredYes(PathOf(L"NO-SUCH-FOLDER\\SAVED.PAK")); // failed: the archive cannot be written there
}

TEST_F(NewCommand, YesAndThenACancelledSaveDialogStillEmptiesTheList) {
    AddTwoFiles();
    New(IDYES, L"");
    ExpectEmptied();
}

TEST_F(NewCommand, AnEmptyOrSavedListAsksNothing) {
    New(std::nullopt);
    ExpectEmptied();

    quarrow::testing::HandMadeArchive archive = ThreeEntryArchive();
    OpenArchive(WriteArchive(L"DATA.PAK", archive));
    New(std::nullopt);
    ExpectEmptied();
    EXPECT_EQ(States()[1], 4) << "Extract is grey again";

    AddTwoFiles();
    Pack(PathOf(L"PACKED.PAK"));
    New(std::nullopt);
    ExpectEmptied();
}

} // namespace
} // namespace quarrow::app::testing
