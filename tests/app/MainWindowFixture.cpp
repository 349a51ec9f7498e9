#include "MainWindowFixture.hpp"

namespace quarrow::app::testing {

void MainWindowTest::TearDown() {
    for (const std::string& mismatch : dialogs.Mismatches()) {
        ADD_FAILURE() << "dialog script: " << mismatch;
    }
    EXPECT_EQ(dialogs.UnusedAnswers(), 0u) << "answers the window never asked for";
}

std::wstring MainWindowTest::PathOf(const std::wstring& name) const { return WideFromPath(dir.Path() / name); }

std::wstring MainWindowTest::WriteFile(const std::wstring& name, const std::string& content) const {
    quarrow::testing::WriteFileText(dir.Path() / name, content);
    return PathOf(name);
}

std::wstring MainWindowTest::WriteArchive(const std::wstring& name,
                                          const quarrow::testing::HandMadeArchive& archive) const {
    quarrow::testing::WriteFileBytes(dir.Path() / name, archive.Bytes());
    return PathOf(name);
}

std::vector<std::wstring> MainWindowTest::WriteExampleFiles() const {
    std::vector<std::wstring> names;
    for (const quarrow::testing::ExampleFile& file : quarrow::testing::kExampleFiles) {
        names.push_back(file.WideName());
        WriteFile(names.back(), std::string(file.content));
    }
    return names;
}

namespace {

void AnswerMessage(dialogs::ScriptedDialogProvider& dialogs, std::optional<int> answer) {
    if (answer) {
        dialogs.AnswerMessage(*answer);
    }
}

} // namespace

void MainWindowTest::AddFiles(const std::vector<std::wstring>& names, std::optional<int> thenMessage) {
    dialogs.AnswerOpenFiles(dialogs::FileSelection{WideFromPath(dir.Path()), names});
    AnswerMessage(dialogs, thenMessage);
    window.Click(ToolbarButton::AddFile);
}

void MainWindowTest::OpenArchive(const std::wstring& path, std::optional<int> thenMessage) {
    dialogs.AnswerOpenFile(path);
    AnswerMessage(dialogs, thenMessage);
    window.Click(ToolbarButton::Open);
}

void MainWindowTest::Pack(const std::wstring& target, std::optional<int> thenMessage) {
    dialogs.AnswerSaveFile(target);
    AnswerMessage(dialogs, thenMessage);
    window.Click(ToolbarButton::Save);
}

void MainWindowTest::Extract(const std::wstring& folder, std::optional<int> thenMessage) {
    dialogs.AnswerFolder(folder);
    AnswerMessage(dialogs, thenMessage);
    window.Click(ToolbarButton::Extract);
}

SwitchedStates MainWindowTest::States() const {
    return {State(ToolbarButton::Save),      State(ToolbarButton::Extract),    State(ToolbarButton::AddFile),
            State(ToolbarButton::AddFolder), State(ToolbarButton::AddContent), State(ToolbarButton::Del)};
}

std::vector<std::wstring> MainWindowTest::VisibleRow(std::size_t row) const {
    return {window.workspace().VisibleText(row, 1), window.workspace().VisibleText(row, 2),
            window.workspace().VisibleText(row, 3)};
}

std::vector<std::wstring> MainWindowTest::MasterRow(std::size_t row) const {
    return {window.workspace().MasterText(row, 1), window.workspace().MasterText(row, 2),
            window.workspace().MasterText(row, 3), window.workspace().MasterText(row, 4)};
}

const dialogs::RecordedRequest& MainWindowTest::LastRequest() const {
    if (dialogs.Requests().empty()) {
        throw std::logic_error("the window asked nothing");
    }
    return dialogs.Requests().back();
}

quarrow::testing::HandMadeArchive ThreeEntryArchive() {
    quarrow::testing::HandMadeArchive archive;
    archive.Add("DATA\\IMG\\A.BMP", "abc");
    archive.Add("B.TXT", "hello");
    archive.Add("\xC8\xFD\xB9\xFA\\C.DAT", "xyz!"); // 三国\C.DAT in code page 936
    return archive;
}

} // namespace quarrow::app::testing
