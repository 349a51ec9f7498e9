#include "ScriptedDialogProvider.hpp"

#include <gtest/gtest.h>

namespace quarrow::dialogs {
namespace {

TEST(FileSelection, JoinsEachNameToTheFolderWithOneSeparator) {
    EXPECT_EQ((FileSelection{L"C:\\x", {L"a", L"b"}}.Paths()), (std::vector<std::wstring>{L"C:\\x\\a", L"C:\\x\\b"}));
    EXPECT_EQ((FileSelection{L"C:\\", {L"a"}}.Paths()), std::vector<std::wstring>{L"C:\\a"});
    EXPECT_EQ((FileSelection{L"", {L"C:\\x\\a.pak"}}.Paths()), std::vector<std::wstring>{L"C:\\x\\a.pak"});
    EXPECT_TRUE(FileSelection{}.Paths().empty());
}

TEST(ScriptedDialogProvider, AnswersInOrderAndRecordsEveryRequest) {
    ScriptedDialogProvider dialogs;
    dialogs.AnswerMessage(IDYES);
    dialogs.AnswerSaveFile(L"");
    dialogs.AnswerOpenFiles(FileSelection{L"C:\\in", {L"a.dat", L"b.dat"}});
    dialogs.AnswerFolder(L"C:\\out");
    dialogs.AnswerOpenFile(L"C:\\a.pak");

    const HWND owner = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(dialogs.ShowMessage({owner, L"保存？", L"Save", MB_YESNOCANCEL | MB_ICONQUESTION}), IDYES);
    EXPECT_EQ(dialogs.SaveFile({owner, L"打包PAK文件...", 6146, L"PAK|*.PAK", 1, L"New.PAK"}), L"");
    EXPECT_EQ(dialogs.OpenFiles({owner, L"增加档案...", 6656, L"All|*.*", 1, L""}).Paths(),
              (std::vector<std::wstring>{L"C:\\in\\a.dat", L"C:\\in\\b.dat"}));
    FolderRequest folder;
    folder.Title = L"Please select a folder:";
    folder.UseNewUI = true;
    EXPECT_EQ(dialogs.BrowseFolder(folder), L"C:\\out");
    EXPECT_EQ(dialogs.OpenFile({owner, L"打开PAK文件...", 6144, L"PAK|*.PAK", 1, L"*.PAK"}), L"C:\\a.pak");

    EXPECT_EQ(dialogs.UnusedAnswers(), 0u);
    EXPECT_TRUE(dialogs.Mismatches().empty());
    const auto& requests = dialogs.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].Kind, DialogKind::Message);
    EXPECT_EQ(requests[0].Message.Style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(requests[1].Kind, DialogKind::SaveFile);
    EXPECT_EQ(requests[1].File.Flags, 6146u);
    EXPECT_EQ(requests[1].File.Filename, L"New.PAK");
    EXPECT_EQ(requests[2].Kind, DialogKind::OpenFiles);
    EXPECT_EQ(requests[2].File.Title, L"增加档案...");
    EXPECT_EQ(requests[3].Kind, DialogKind::Folder);
    EXPECT_TRUE(requests[3].Folder.UseNewUI);
    EXPECT_EQ(requests[4].File.Owner, owner);
}

TEST(ScriptedDialogProvider, AnUnexpectedRequestIsRecordedAndRaised) {
    ScriptedDialogProvider dialogs;
    EXPECT_THROW(dialogs.OpenFile({nullptr, L"打开PAK文件...", 6144, L"", 1, L""}), ScriptMismatch);
    dialogs.AnswerFolder(L"C:\\out");
    EXPECT_THROW(dialogs.ShowMessage({nullptr, L"不是有效PAK文件！", L"打开错误", MB_OK}), ScriptMismatch);
    EXPECT_EQ(dialogs.UnusedAnswers(), 1u) << "a mismatched request leaves the queued answer in place";
    ASSERT_EQ(dialogs.Mismatches().size(), 2u);
    EXPECT_NE(dialogs.Mismatches()[0].find("no more answers"), std::string::npos);
    EXPECT_NE(dialogs.Mismatches()[1].find("a folder browser"), std::string::npos);
    EXPECT_NE(dialogs.Mismatches()[1].find("a message box"), std::string::npos);
    EXPECT_EQ(dialogs.Requests().size(), 2u);
}

} // namespace
} // namespace quarrow::dialogs
