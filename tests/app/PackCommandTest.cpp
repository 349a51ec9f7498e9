// Add file and Pack: files picked in the add-file dialog, packed byte for byte into a new archive;
// what the engine refuses is reported and leaves everything as it was.

#include "MainWindowFixture.hpp"

#include "StatusTexts.hpp"

#include <commdlg.h>

#include <filesystem>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::ReadFileBytes;

using AddFileCommand = MainWindowTest;

TEST_F(AddFileCommand, AsksForSeveralFilesAndListsEachInTheOrderChosen) {
    WriteFile(L"a.bin", "0123456789");
    WriteFile(L"档案.txt", "hello");
    AddFiles({L"档案.txt", L"a.bin"});

    const dialogs::RecordedRequest& request = dialogs.Requests().at(0);
    ASSERT_EQ(request.Kind, dialogs::DialogKind::OpenFiles);
    EXPECT_EQ(request.File.Owner, window.Handle());
    EXPECT_EQ(request.File.Title, L"增加档案...");
    EXPECT_EQ(request.File.Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT));
    EXPECT_EQ(request.File.Filename, L"");
    EXPECT_EQ(request.File.Filter, L"所有类型档案(*.*)|*.*");
    EXPECT_EQ(request.File.FilterIndex, 1);

    const std::wstring folder = WideFromPath(dir.Path());
    ASSERT_EQ(window.lstFile().Count(), 2u);
    EXPECT_EQ(VisibleRow(1), (std::vector<std::wstring>{L"档案.txt", L"5", folder}));
    EXPECT_EQ(MasterRow(2), (std::vector<std::wstring>{PathOf(L"a.bin"), L"10", L"", L"a.bin"}));
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 0}));
    EXPECT_EQ(GetFocus(), window.lstFile().Handle());
    EXPECT_FALSE(window.bSaved());
}

TEST_F(AddFileCommand, TheSameFileTwiceGivesTwoRows) {
    WriteFile(L"a.bin", "x");
    AddFiles({L"a.bin"});
    AddFiles({L"a.bin"});
    EXPECT_EQ(window.workspace().Count(), 2u);
}

TEST_F(AddFileCommand, AFileThatCannotBeReadIsNamedAndLeftOut) {
    WriteFile(L"a.bin", "x");
    AddFiles({L"gone.bin", L"a.bin"}, IDOK);
    ASSERT_EQ(window.workspace().Count(), 1u);
    EXPECT_EQ(VisibleRow(1)[0], L"a.bin");
    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"增加档案");
    EXPECT_EQ(message.Style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_NE(message.Text.find(PathOf(L"gone.bin")), std::wstring::npos) << message.Text;
}

TEST_F(AddFileCommand, ACancelSetsDeleteByTheRowsThereAre) {
    AddFiles({});
    EXPECT_EQ(States(), (SwitchedStates{4, 4, 0, 0, 4, 4}));
    WriteFile(L"a.bin", "x");
    AddFiles({L"a.bin"});
    AddFiles({});
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 0}));
    EXPECT_EQ(window.workspace().Count(), 1u);
}

using PackCommand = MainWindowTest;

TEST_F(PackCommand, TwoFilesOfTenAndFiveBytesMakeTheArchiveOfTheFormatExample) {
    AddFiles(WriteExampleFiles());
    std::wstring stateWhileRunning;
    progress.onBreathe = [&] { stateWhileRunning = window.StatusText(kStatePanel); };
    Pack(PathOf(L"NEW")); // typed without ".PAK"

    const dialogs::FileDialogRequest& request = LastRequest().File;
    ASSERT_EQ(LastRequest().Kind, dialogs::DialogKind::SaveFile);
    EXPECT_EQ(request.Owner, window.Handle());
    EXPECT_EQ(request.Title, L"打包PAK文件...");
    EXPECT_EQ(request.Flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT));
    EXPECT_EQ(request.Filename, L"New.PAK");
    EXPECT_EQ(request.Filter, L"三国群英传II PAK档案(*.PAK)|*.PAK");

    EXPECT_EQ(ReadFileBytes(dir.Path() / L"NEW.PAK"), quarrow::testing::ExampleArchiveBytes());

    EXPECT_EQ(MasterRow(1)[2], L"24");
    EXPECT_EQ(MasterRow(2)[2], L"34");
    EXPECT_EQ(window.txtPAKName(), PathOf(L"NEW.PAK"));
    EXPECT_TRUE(window.bSaved());
    EXPECT_EQ(window.workspace().Count(), 2u) << "the list keeps its rows";
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 4, 4, 0, 4}));
    EXPECT_EQ(stateWhileRunning, L"打包中");
    EXPECT_EQ(window.StatusText(kElapsedPanel).rfind(L"使用时间：", 0), 0u);
    EXPECT_EQ(window.StatusText(kStatePanel), L"打包完成！");
    EXPECT_EQ(progress.With("stages.value "), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(PackCommand, ASourceGoneSinceItWasAddedIsReportedAndTheOldArchiveKept) {
    WriteFile(L"a.bin", "0123456789");
    const std::wstring vanishing = WriteFile(L"b.txt", "hello");
    AddFiles({L"a.bin", L"b.txt"});
    const std::string previous = "what the user had before";
    const std::wstring target = WriteFile(L"OLD.PAK", previous);
    std::filesystem::remove(PathFromWide(vanishing));
    const SwitchedStates before = States();
    Pack(target, IDOK);

    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"打包错误");
    EXPECT_EQ(message.Style, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_NE(message.Text.find(L"第 2 个档案 " + vanishing), std::wstring::npos) << message.Text;
    const auto kept = ReadFileBytes(PathFromWide(target));
    EXPECT_EQ(std::string(kept.begin(), kept.end()), previous);
    EXPECT_EQ(States(), before);
    EXPECT_FALSE(window.bSaved());
    EXPECT_EQ(window.txtPAKName(), L"");
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪") << "the status is put back";
    EXPECT_EQ(MasterRow(1)[2], L"") << "no offsets were assigned";
}

TEST_F(PackCommand, NamesTooLongForTheIndexAreRefusedTogetherBeforeAnythingIsWritten) {
    // Twenty-two names of 41 bytes: the message lists twenty and counts the rest.
    std::vector<std::wstring> names;
    for (int i = 10; i < 32; ++i) {
        names.push_back(L"a-name-of-forty-one-bytes-to-store-" + std::to_wstring(i) + L".bin");
        ASSERT_EQ(names.back().size(), 41u);
        WriteFile(names.back(), "x");
    }
    AddFiles(names);
    Pack(PathOf(L"NEW.PAK"), IDOK);
    const std::wstring& text = LastRequest().Message.Text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const bool listed = text.find(L"“" + names[i] + L"”超过40个字节") != std::wstring::npos;
        EXPECT_EQ(listed, i < 20) << Utf8FromWide(names[i]);
    }
    EXPECT_NE(text.find(L"另外还有 2 个"), std::wstring::npos) << Utf8FromWide(text);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / L"NEW.PAK"));
}

TEST_F(PackCommand, ACancelledSaveDialogWritesNothing) {
    WriteFile(L"a.bin", "x");
    AddFiles({L"a.bin"});
    Pack(L"");
    EXPECT_TRUE(progress.events.empty());
    EXPECT_FALSE(window.bSaved());
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 0}));
}

} // namespace
} // namespace quarrow::app::testing
