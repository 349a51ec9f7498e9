// Files that another program holds, a destination that cannot be a folder, and a disk that fails: each
// command says which file and why, in the user's language, and nothing the user had is changed.

#include "MainWindowFixture.hpp"

#include "StatusTexts.hpp"
#include "WindowsFileHolds.hpp"

#include "FaultPlan.hpp"

#include <filesystem>
#include <regex>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::FaultPlan;
using quarrow::testing::HeldWithoutSharing;
using quarrow::testing::ReadFileBytes;

std::string ContentOf(const std::wstring& path) {
    const auto bytes = ReadFileBytes(PathFromWide(path));
    return std::string(bytes.begin(), bytes.end());
}

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.rfind(start, 0) == 0; }

// The first words of an English sentence in `text` once the test's folder is taken out of it; empty
// when there are none. File names may be Latin, a reason may not.
std::wstring EnglishIn(std::wstring text, const std::wstring& folder) {
    for (auto at = text.find(folder); at != std::wstring::npos; at = text.find(folder)) {
        text.erase(at, folder.size());
    }
    static const std::wregex words(L"[A-Za-z]{2,}[ /][A-Za-z]{2,}");
    std::wsmatch match;
    return std::regex_search(text, match, words) ? match.str() : L"";
}

using HeldFiles = MainWindowTest;

TEST_F(HeldFiles, PackOverAnArchiveAnotherProgramHoldsSaysSoAndKeepsIt) {
    WriteFile(L"a.bin", "0123456789");
    AddFiles({L"a.bin"});
    const std::wstring target = WriteFile(L"GAME.PAK", "the game's own archive");
    {
        const HeldWithoutSharing game(PathFromWide(target));
        Pack(target, IDOK);
    }
    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"打包错误");
    EXPECT_TRUE(StartsWith(message.Text, target + L" 正由另一个程序写入，没有改写。")) << message.Text;
    EXPECT_NE(message.Text.find(L"已有的档案没有改变。"), std::wstring::npos);
    EXPECT_EQ(ContentOf(target), "the game's own archive");
    EXPECT_FALSE(window.bSaved());
    EXPECT_EQ(window.StatusText(kStatePanel), L"就绪");
    for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_EQ(item.path().wstring().find(L"quarrow-tmp"), std::wstring::npos) << "left behind: " << item.path();
    }
}

TEST_F(HeldFiles, ExtractIntoAFolderThatIsAFileSaysItCannotWriteThere) {
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    const std::wstring notAFolder = WriteFile(L"OUT", "a file where the folder should be");
    Extract(notAFolder, IDOK);

    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"解包错误");
    EXPECT_TRUE(StartsWith(message.Text, notAFolder + L" 无法写入！\r\n")) << message.Text;
    EXPECT_EQ(ContentOf(notAFolder), "a file where the folder should be");
    EXPECT_EQ(window.StatusText(kStatePanel), L"开启完成！") << "the status is put back";
}

TEST_F(HeldFiles, ExtractOverAFileAnotherProgramHoldsSkipsOnlyThatEntry) {
    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    const std::wstring held = WriteFile(L"OUT\\B.TXT", "open in an editor");
    {
        const HeldWithoutSharing editor(PathFromWide(held));
        Extract(PathOf(L"OUT"), IDOK);
    }
    const dialogs::MessageRequest& message = LastRequest().Message;
    EXPECT_EQ(message.Title, L"解包");
    EXPECT_NE(message.Text.find(L"“B.TXT”：无法写入："), std::wstring::npos) << message.Text;
    EXPECT_EQ(ContentOf(held), "open in an editor");
    EXPECT_EQ(ContentOf(PathOf(L"OUT\\DATA\\IMG\\A.BMP")), "abc") << "the other entries are written";
    EXPECT_EQ(window.StatusText(kStatePanel), L"解包完成！");
}

TEST_F(HeldFiles, TheSystemsReasonsAreToldInTheUsersLanguage) {
    WriteFile(L"a.bin", "0123456789");
    const auto expectToldInChinese = [&](const wchar_t* failure, const wchar_t* title) {
        const dialogs::MessageRequest& message = LastRequest().Message;
        EXPECT_EQ(message.Title, title) << failure;
        EXPECT_EQ(EnglishIn(message.Text, WideFromPath(dir.Path())), L"") << failure << ": " << message.Text;
    };

    AddFiles({L"a.bin", L"gone.bin"}, IDOK);
    expectToldInChinese(L"a missing file", L"增加档案");
    {
        const HeldWithoutSharing editor(dir / "a.bin");
        Pack(PathOf(L"A.PAK"), IDOK);
    }
    expectToldInChinese(L"a locked file", L"打包错误");
    {
        FaultPlan fullDisk = FaultPlan::DiskFull(16);
        const ScopedFileFaults faults(fullDisk);
        Pack(PathOf(L"A.PAK"), IDOK);
        EXPECT_GT(fullDisk.FaultsCaused(), 0);
    }
    expectToldInChinese(L"a full disk", L"打包错误");

    OpenArchive(WriteArchive(L"DATA.PAK", ThreeEntryArchive()));
    {
        FaultPlan readOnlyFolder = FaultPlan::FailCall(FileOperation::Create, 1, std::errc::permission_denied);
        const ScopedFileFaults faults(readOnlyFolder);
        Extract(PathOf(L"OUT"), IDOK);
        EXPECT_GT(readOnlyFolder.FaultsCaused(), 0);
    }
    expectToldInChinese(L"a read-only folder", L"解包");
}

} // namespace
} // namespace quarrow::app::testing
