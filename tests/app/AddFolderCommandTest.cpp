// Add folder: every file below the chosen folder joins the workspace under its upper-case relative
// name; the progress window shows the three phases and the status bar the time and the file count.

#include "MainWindowFixture.hpp"

#include "LinkedTree.hpp"
#include "StatusTexts.hpp"

#include <filesystem>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::WriteFileText;

bool IsHidden(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

class AddFolderCommand : public MainWindowTest {
protected:
    void AddFolder(const std::wstring& folder) {
        dialogs.AnswerFolder(folder);
        window.Click(ToolbarButton::AddFolder);
    }
    void ExpectElapsedText() const {
        const std::wstring elapsed = window.StatusText(kElapsedPanel);
        EXPECT_TRUE(elapsed.starts_with(L"使用时间：") && elapsed.ends_with(L"秒")) << Utf8FromWide(elapsed);
    }
};

TEST_F(AddFolderCommand, AddsTheTreeUnderRelativeNamesAndReportsTheFileCount) {
    const auto data = dir / "DATA";
    WriteFileText(data / "A.BIN", "aaaa");
    WriteFileText(data / "hidden.bin", "h");
    WriteFileText(data / "secret" / "inner.bin", "iii");
    WriteFileText(data / ".cache" / "skipped.bin", "s");
    WriteFileText(data / L"地图" / L"城镇" / "Town.map", "tt");
    SetFileAttributesW((data / "hidden.bin").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((data / "secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    if (!IsHidden(data / "hidden.bin") || !IsHidden(data / "secret")) {
        GTEST_SKIP() << "this file system keeps no file attributes";
    }

    std::wstring stateWhileRunning;
    progress.onBreathe = [&] { stateWhileRunning = window.StatusText(kStatePanel); };
    AddFolder(PathOf(L"DATA"));
    EXPECT_EQ(stateWhileRunning, L"增加档案");

    const dialogs::RecordedRequest& request = LastRequest();
    ASSERT_EQ(request.Kind, dialogs::DialogKind::Folder);
    EXPECT_EQ(request.Folder.Owner, window.Handle());
    EXPECT_EQ(request.Folder.Title, L"Please select a folder:");
    EXPECT_EQ(window.txtFolder(), PathOf(L"DATA"));

    ASSERT_EQ(window.lstFile().Count(), 3u);
    EXPECT_EQ(MasterRow(1), (std::vector<std::wstring>{PathOf(L"DATA\\A.BIN"), L"4", L"", L"A.BIN"}));
    EXPECT_EQ(MasterRow(2)[3], L"SECRET\\INNER.BIN") << "a hidden folder is entered";
    EXPECT_EQ(MasterRow(3)[3], L"地图\\城镇\\TOWN.MAP");
    EXPECT_EQ(VisibleRow(1), (std::vector<std::wstring>{L"A.BIN", L"4", L""}));
    EXPECT_EQ(VisibleRow(2), (std::vector<std::wstring>{L"inner.bin", L"3", L"SECRET"}));
    EXPECT_EQ(VisibleRow(3), (std::vector<std::wstring>{L"Town.map", L"2", L"地图\\城镇"}));

    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 0})) << "Pack and Delete enabled";
    EXPECT_EQ(GetFocus(), window.lstFile().Handle());
    ExpectElapsedText();
    EXPECT_EQ(window.StatusText(kStatePanel), L"3 档案");
    EXPECT_FALSE(window.bSaved());

    EXPECT_EQ(progressOwners, (std::vector<HWND>{window.Handle()}));
    EXPECT_EQ(progress.events.front(), "show");
    EXPECT_EQ(progress.events.back(), "close");
    EXPECT_EQ(progress.With("status "), (std::vector<std::string>{"搜索目录", "增加档案：", "读取完毕，请等待。。。"}));
    EXPECT_EQ(progress.With("stages.max "), (std::vector<std::string>{"4"}));
    EXPECT_EQ(progress.With("stages.text "), (std::vector<std::string>{"1 / 4", "2 / 4", "3 / 4", "4 / 4"}));
    EXPECT_EQ(progress.With("items.text "), (std::vector<std::string>{"1 / 1", "1 / 1", "1 / 1"}));
    EXPECT_EQ(progress.With("item ").front(), Utf8FromWide(PathOf(L"DATA\\A.BIN")));
    EXPECT_EQ(progress.With("item ").back(), "") << "the file line is cleared at the end";
}

TEST_F(AddFolderCommand, FollowsLinksAndNamesWhatTheScanLeftOutAfterwards) {
    std::string refused;
    const auto linked = quarrow::testing::MakeLinkedTree(dir.Path(), refused);
    if (!linked) {
        GTEST_SKIP() << "this system makes no symbolic links here: " << refused;
    }
    dialogs.AnswerMessage(IDOK);
    AddFolder(WideFromPath(linked->tree));
    EXPECT_EQ(window.workspace().Count(), 4u);
    EXPECT_EQ(window.StatusText(kStatePanel), L"4 档案") << "the status bar is written before the message";

    const dialogs::RecordedRequest& request = LastRequest();
    ASSERT_EQ(request.Kind, dialogs::DialogKind::Message);
    EXPECT_EQ(request.Message.Title, L"增加目录");
    EXPECT_EQ(request.Message.Style, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    for (const wchar_t* leftOut : {L"broken：", L"loop：", L"again："}) {
        EXPECT_NE(request.Message.Text.find(leftOut), std::wstring::npos) << Utf8FromWide(request.Message.Text);
    }
}

TEST_F(AddFolderCommand, ACancelledBrowseAddsNothingAndStillReportsNoFiles) {
    AddFolder(L"");
    EXPECT_EQ(window.workspace().Count(), 0u);
    EXPECT_TRUE(progress.events.empty()) << "the progress window never shows";
    EXPECT_EQ(window.txtFolder(), L"");
    EXPECT_EQ(States(), (SwitchedStates{4, 4, 0, 0, 4, 4}));
    ExpectElapsedText();
    EXPECT_EQ(window.StatusText(kStatePanel), L"0 档案");
}

TEST_F(AddFolderCommand, AnEmptyFolderEnablesPackAndALaterFolderAddsBehindTheListedRows) {
    std::filesystem::create_directories(dir / "EMPTY");
    AddFolder(PathOf(L"EMPTY"));
    EXPECT_EQ(window.workspace().Count(), 0u);
    EXPECT_EQ(States(), (SwitchedStates{0, 4, 0, 0, 4, 4}));
    EXPECT_EQ(window.StatusText(kStatePanel), L"0 档案");

    WriteFile(L"first.bin", "1");
    AddFiles({L"first.bin"});
    WriteFileText(dir / "MORE" / "x.bin", "xx");
    AddFolder(PathOf(L"MORE"));
    ASSERT_EQ(window.lstFile().Count(), 2u);
    EXPECT_EQ(VisibleRow(1)[0], L"first.bin");
    EXPECT_EQ(MasterRow(2)[3], L"X.BIN");
    EXPECT_EQ(window.StatusText(kStatePanel), L"1 档案");
}

} // namespace
} // namespace quarrow::app::testing
