// Editing an opened archive in the window: the context menu's commands, files dropped onto the window
// and rows dragged out of it, a path given at start-up, the caption that names the archive, and the
// question that keeps unsaved edits.

#include "MainWindowFixture.hpp"

#include "BuildVersion.hpp"
#include "IndependentReader.hpp"
#include "StatusTexts.hpp"

#include "FileDropTarget.hpp"
#include "OleSession.hpp"
#include "StorageMedium.hpp"

#include <algorithm>
#include <filesystem>
#include <map>
#include <new>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::HandMadeArchive;
using quarrow::testing::ReadFileBytes;
using quarrow::testing::SelectRow;

std::string TextOf(const std::filesystem::path& file) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(file);
    return {bytes.begin(), bytes.end()};
}

std::wstring CaptionOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::map<std::string, std::string> ContentsOf(const std::wstring& archive) {
    return quarrow::testing::ReadArchiveBytes(ReadFileBytes(PathFromWide(archive))).Contents();
}

class EditingTest : public MainWindowTest {
protected:
    const std::wstring base = L"Quarrow V" + std::wstring(quarrow::testing::kBuildVersionWide);

    std::wstring OpenThree() {
        const std::wstring archive = WriteArchive(L"DATA.PAK", ThreeEntryArchive());
        OpenArchive(archive);
        return archive;
    }
    void Choose(ListMenuCommand command) { window.ChooseFromListMenu(command); }
    std::wstring Caption() const { return CaptionOf(window.Handle()); }
};

using ListMenuCommands = EditingTest;

TEST_F(ListMenuCommands, AddedFilesReplaceEntriesOfTheirNameWithoutRegardToCaseAndTheOthersFollow) {
    OpenThree();
    EXPECT_EQ(Caption(), base + L" - DATA.PAK");
    WriteFile(L"b.txt", "new B, longer");
    WriteFile(L"NEW.BIN", "n");
    dialogs.AnswerOpenFiles(dialogs::FileSelection{WideFromPath(dir.Path()), {L"b.txt", L"NEW.BIN"}});
    Choose(ListMenuCommand::AddFiles);

    ASSERT_EQ(window.workspace().Count(), 4u);
    EXPECT_EQ(VisibleRow(2), (std::vector<std::wstring>{L"B.TXT", L"13", L""})) << "keeps its stored name";
    EXPECT_EQ(VisibleRow(4)[0], L"NEW.BIN");
    EXPECT_TRUE(window.HasUnsavedEdits());
    EXPECT_EQ(Caption(), base + L" - DATA.PAK *");

    // Saved over the archive it comes from: the replaced entry's new bytes, the others copied.
    dialogs.AnswerSaveFile(PathOf(L"DATA.PAK"));
    Choose(ListMenuCommand::SaveAs);
    EXPECT_EQ(LastRequest().File.Filename, L"DATA.PAK") << "the current archive's name is offered";
    const auto contents = ContentsOf(PathOf(L"DATA.PAK"));
    EXPECT_EQ(contents.at("B.TXT"), "new B, longer");
    EXPECT_EQ(contents.at("DATA\\IMG\\A.BMP"), "abc");
    EXPECT_EQ(contents.at("NEW.BIN"), "n");
    EXPECT_EQ(Caption(), base + L" - DATA.PAK");
    EXPECT_EQ(window.StatusText(kStatePanel), L"打包完成！");
}

TEST_F(ListMenuCommands, WithoutAnArchiveAddingAppendsAsTheToolbarDoes) {
    WriteFile(L"A.TXT", "1");
    AddFiles({L"A.TXT"});
    dialogs.AnswerOpenFiles(dialogs::FileSelection{WideFromPath(dir.Path()), {L"A.TXT"}});
    Choose(ListMenuCommand::AddFiles);
    EXPECT_EQ(window.workspace().Count(), 2u);
    EXPECT_FALSE(window.HasUnsavedEdits());
    EXPECT_EQ(Caption(), base);
}

TEST_F(ListMenuCommands, ReplaceGivesTheOneSelectedRowNewDataAndExtractTakesOnlySelectedArchiveRows) {
    OpenThree();
    const std::wstring replacement = WriteFile(L"other.bin", "0123456789");
    SelectRow(window.lstFile().Handle(), 1);
    dialogs.AnswerOpenFile(replacement);
    Choose(ListMenuCommand::ReplaceData);
    EXPECT_EQ(LastRequest().File.Title, L"替换档案内容...");
    EXPECT_EQ(VisibleRow(1), (std::vector<std::wstring>{L"A.BMP", L"10", L"DATA\\IMG"})) << "keeps its stored name";
    EXPECT_EQ(window.workspace().Entry(1).source, PathFromWide(replacement));
    EXPECT_EQ(Caption(), base + L" - DATA.PAK *");

    // Row 1 now comes from disk: of rows 1 and 3 only row 3 is extracted.
    SelectRow(window.lstFile().Handle(), 3);
    const std::filesystem::path out = dir.Path() / L"out";
    dialogs.AnswerFolder(WideFromPath(out));
    Choose(ListMenuCommand::ExtractSelected);
    EXPECT_TRUE(std::filesystem::exists(out / L"三国" / L"C.DAT"));
    EXPECT_FALSE(std::filesystem::exists(out / L"DATA"));
    EXPECT_FALSE(std::filesystem::exists(out / L"B.TXT"));
    EXPECT_EQ(window.StatusText(kStatePanel), L"解包完成！");
}

TEST_F(ListMenuCommands, ItemsTheirRulesDisableDoNothing) {
    OpenThree();
    Choose(ListMenuCommand::ReplaceData);     // nothing selected
    Choose(ListMenuCommand::ExtractSelected); // nothing selected
    EXPECT_EQ(dialogs.Requests().size(), 1u) << "only Open's dialog was shown";
}

TEST_F(ListMenuCommands, SaveAsAsksBeforeDroppingAppendedContentAndNoCancels) {
    HandMadeArchive archive = ThreeEntryArchive();
    std::vector<std::uint8_t> bytes = archive.Bytes();
    const std::size_t indexEnd = bytes.size();
    bytes.insert(bytes.end(), {'\r', '\n', 'x', 'y'});
    quarrow::testing::WriteFileBytes(dir.Path() / L"DATA.PAK", bytes);
    OpenArchive(PathOf(L"DATA.PAK"));

    dialogs.AnswerMessage(IDNO);
    Choose(ListMenuCommand::SaveAs);
    const dialogs::MessageRequest& question = LastRequest().Message;
    EXPECT_EQ(question.Style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    const std::wstring range =
        DecimalText(static_cast<long long>(indexEnd)) + L" 至 " + DecimalText(static_cast<long long>(indexEnd + 3));
    EXPECT_NE(question.Text.find(range), std::wstring::npos) << question.Text;
    EXPECT_EQ(ReadFileBytes(dir.Path() / L"DATA.PAK"), bytes);

    dialogs.AnswerMessage(IDYES);
    dialogs.AnswerSaveFile(PathOf(L"COPY.PAK"));
    Choose(ListMenuCommand::SaveAs);
    EXPECT_EQ(ContentsOf(PathOf(L"COPY.PAK")).size(), 3u);
    EXPECT_EQ(window.txtPAKName(), PathOf(L"COPY.PAK"));
    EXPECT_EQ(Caption(), base + L" - COPY.PAK");
}

using UnsavedEdits = EditingTest;

TEST_F(UnsavedEdits, NewAndOpenAskAndAFailedOrCancelledSaveKeepsTheList) {
    quarrow::testing::WriteFileBytes(dir.Path() / L"OTHER.PAK", quarrow::testing::ExampleArchiveBytes());
    const std::wstring other = PathOf(L"OTHER.PAK");
    for (const ToolbarButton command : {ToolbarButton::New, ToolbarButton::Open}) {
        SCOPED_TRACE(command == ToolbarButton::New ? "New" : "Open");
        OpenThree();
        EXPECT_FALSE(window.HasUnsavedEdits());
        SelectRow(window.lstFile().Handle(), 2);
        window.Click(ToolbarButton::Del); // Delete keeps its state after Open: still grey, no click
        EXPECT_EQ(window.workspace().Count(), 3u);
        Choose(ListMenuCommand::Delete);
        ASSERT_EQ(window.workspace().Count(), 2u);

        dialogs.AnswerMessage(IDCANCEL);
        window.Click(command);
        EXPECT_EQ(LastRequest().Message.Title, L"保存？");
        EXPECT_EQ(window.workspace().Count(), 2u);

        dialogs.AnswerMessage(IDYES);
        dialogs.AnswerSaveFile(L""); // the save dialog cancelled
        window.Click(command);
        EXPECT_EQ(window.workspace().Count(), 2u);
        EXPECT_TRUE(window.HasUnsavedEdits());
        EXPECT_EQ(Caption(), base + L" - DATA.PAK *");

        dialogs.AnswerMessage(IDNO);
        if (command == ToolbarButton::Open) {
            dialogs.AnswerOpenFile(other); // 否 goes on to the open dialog
        }
        window.Click(command);
        EXPECT_FALSE(window.HasUnsavedEdits());
        EXPECT_EQ(window.workspace().Count(), command == ToolbarButton::Open ? 2u : 0u);
        EXPECT_EQ(Caption(), command == ToolbarButton::Open ? base + L" - OTHER.PAK" : base);
    }

    // Saved by 是, the open dialog follows.
    SelectRow(window.lstFile().Handle(), 1);
    Choose(ListMenuCommand::Delete);
    dialogs.AnswerMessage(IDYES);
    dialogs.AnswerSaveFile(PathOf(L"SAVED.PAK"));
    OpenArchive(PathOf(L"DATA.PAK"));
    EXPECT_EQ(ContentsOf(PathOf(L"SAVED.PAK")).size(), 1u);
    EXPECT_EQ(window.txtPAKName(), PathOf(L"DATA.PAK"));
}

TEST_F(UnsavedEdits, ClosingAsksAndCancelKeepsTheWindow) {
    OpenThree();
    SelectRow(window.lstFile().Handle(), 1);
    SendMessageW(window.lstFile().Handle(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_TRUE(window.HasUnsavedEdits());

    dialogs.AnswerMessage(IDCANCEL);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(window.workspace().Count(), 2u);

    dialogs.AnswerMessage(IDYES);
    dialogs.AnswerSaveFile(PathOf(L"SAVED.PAK"));
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window.Handle())) << "closed once saved";
    EXPECT_EQ(ContentsOf(PathOf(L"SAVED.PAK")).size(), 2u);
}

using FindAndOpen = EditingTest;

TEST_F(FindAndOpen, FindSelectsOnlyTheMatchingRowsAndFindNextGoesRoundThem) {
    OpenThree();
    SelectRow(window.lstFile().Handle(), 2);
    window.SelectMatchingRows(L"*.?MP");
    EXPECT_EQ(window.lstFile().SelectedPositions(), (std::vector<std::size_t>{1}));
    EXPECT_EQ(window.StatusText(kStatePanel), L"找到 1 个档案");

    window.SelectMatchingRows(L"*t");
    EXPECT_EQ(window.lstFile().SelectedPositions(), (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(window.lstFile().FocusedRow(), 2u);
    window.FindNext();
    EXPECT_EQ(window.lstFile().FocusedRow(), 3u);
    window.FindNext();
    EXPECT_EQ(window.lstFile().FocusedRow(), 2u) << "round past the last row";
    EXPECT_EQ(VisibleRow(1)[0], L"A.BMP") << "no row moved";

    window.SelectMatchingRows(L"B");
    EXPECT_TRUE(window.lstFile().SelectedPositions().empty());
    EXPECT_EQ(window.StatusText(kStatePanel), L"没有找到符合的档案");
}

class OpenedCopyTest : public EditingTest {
protected:
    OpenedCopyTest() {
        window.OpenInOwnProgram = [this](HWND, const std::filesystem::path& file) {
            opened.push_back(file);
            return failure;
        };
    }
    // Back from another program: the window asks once the activation has been handled.
    void ComeBack() {
        SendMessageW(window.Handle(), WM_ACTIVATEAPP, TRUE, 0);
        MSG msg;
        while (PeekMessageW(&msg, window.Handle(), 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    std::size_t Questions() const { return dialogs.Requests().size(); }

    std::vector<std::filesystem::path> opened;
    std::error_code failure;
};

TEST_F(OpenedCopyTest, AChangedCopyIsTakenBackOnYesAndLeftForGoodOnNo) {
    OpenThree();
    SelectRow(window.lstFile().Handle(), 2);
    Choose(ListMenuCommand::Open);
    ASSERT_EQ(opened.size(), 1u);
    const std::filesystem::path copy = opened[0];
    EXPECT_EQ(copy.filename(), "B.TXT");
    EXPECT_EQ(ReadFileBytes(copy), (std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_NE(copy.parent_path(), dir.Path()) << "a copy, not the archive's folder";

    const std::size_t before = Questions();
    ComeBack();
    EXPECT_EQ(Questions(), before) << "unchanged: nothing asked";

    quarrow::testing::WriteFileText(copy, "hello, changed");
    dialogs.AnswerMessage(IDYES);
    ComeBack();
    ASSERT_EQ(Questions(), before + 1);
    EXPECT_EQ(LastRequest().Message.Style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_NE(LastRequest().Message.Text.find(L"B.TXT"), std::wstring::npos);
    EXPECT_EQ(VisibleRow(2), (std::vector<std::wstring>{L"B.TXT", L"14", L""}));
    EXPECT_EQ(Caption(), base + L" - DATA.PAK *");
    ComeBack();
    EXPECT_EQ(Questions(), before + 1) << "taken back as it is: not asked again";

    quarrow::testing::WriteFileText(copy, "changed again, and not wanted");
    dialogs.AnswerMessage(IDNO);
    ComeBack();
    EXPECT_EQ(Questions(), before + 2);
    EXPECT_EQ(VisibleRow(2)[1], L"14") << "the row is left as it was";
    quarrow::testing::WriteFileText(copy, "and again");
    ComeBack();
    EXPECT_EQ(Questions(), before + 2) << "no longer watched";
    EXPECT_EQ(window.Opened().Count(), 0u);
}

TEST_F(OpenedCopyTest, ClosingAsksAboutAChangeNotTakenBack) {
    OpenThree();
    window.OpenRow(3);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].filename(), L"C.DAT");
    quarrow::testing::WriteFileText(opened[0], "xyz!?");

    dialogs.AnswerMessage(IDCANCEL);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(LastRequest().Message.Style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));

    // 是 takes it back, and then the list holds an edit to be asked about.
    dialogs.AnswerMessage(IDYES);
    dialogs.AnswerMessage(IDYES);
    dialogs.AnswerSaveFile(PathOf(L"SAVED.PAK"));
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window.Handle()));
    EXPECT_EQ(ContentsOf(PathOf(L"SAVED.PAK")).at("\xC8\xFD\xB9\xFA\\C.DAT"), "xyz!?");
}

TEST_F(OpenedCopyTest, AFailedOpenIsReportedWithTheSystemsReasonAndNothingIsWatched) {
    OpenThree();
    failure = std::error_code(ERROR_NO_ASSOCIATION, std::system_category());
    dialogs.AnswerMessage(IDOK);
    window.OpenRow(1);
    EXPECT_EQ(LastRequest().Message.Title, L"打开");
    EXPECT_NE(LastRequest().Message.Text.find(L"A.BMP"), std::wstring::npos);
    EXPECT_EQ(window.Opened().Count(), 0u);
    EXPECT_FALSE(std::filesystem::exists(opened.at(0))) << "the copy goes at once";
}

using DroppedFiles = EditingTest;

TEST_F(DroppedFiles, OneArchiveOpensAFileThatIsNoneIsRefusedAndOthersAreAdded) {
    const std::wstring archive = WriteArchive(L"DATA.PAK", ThreeEntryArchive());
    const std::wstring impostor = WriteFile(L"NOTES.PAK", "not an archive");
    dialogs.AnswerMessage(IDOK);
    window.DropFiles({impostor});
    EXPECT_EQ(LastRequest().Message.Title, L"打开错误");
    EXPECT_EQ(window.workspace().Count(), 0u);

    window.DropFiles({archive});
    EXPECT_EQ(window.txtPAKName(), archive);
    EXPECT_EQ(window.StatusText(kStatePanel), L"开启完成！");

    // Onto an open archive a folder's files are added by name, as the menu adds them.
    WriteFile(L"more/B.TXT", "bee");
    WriteFile(L"more/Z.DAT", "zed");
    window.DropFiles({PathOf(L"more")});
    ASSERT_EQ(window.workspace().Count(), 4u);
    EXPECT_EQ(VisibleRow(2)[1], L"3");
    EXPECT_EQ(VisibleRow(4)[0], L"Z.DAT");
    EXPECT_EQ(window.StatusText(kStatePanel), L"2 档案");

    window.DropFiles({archive}); // an edited list is not replaced by a drop
    EXPECT_EQ(window.workspace().Count(), 5u);
}

TEST_F(DroppedFiles, APathFromTheCommandLineOpensAsOpenDoes) {
    window.OpenArchiveFile(WriteArchive(L"GAME.PAK", ThreeEntryArchive()));
    EXPECT_EQ(window.workspace().Count(), 3u);
    EXPECT_EQ(States(), (SwitchedStates{4, 0, 4, 4, 0, 4}));
    EXPECT_EQ(Caption(), base + L" - GAME.PAK");
}

// Offers files, and fails as memory running out would when the drop asks for them.
class FailingFileOffer final : public IDataObject {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IDataObject ? this : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { throw std::bad_alloc(); }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

TEST_F(DroppedFiles, AFailureWhileTheDropReadsItsFilesIsAnsweredNotThrownIntoTheSystem) {
    const win32::OleSession ole;
    bool handedOn = false;
    const FileDropTarget target(window.Handle(), [&](std::vector<std::wstring>) { handedOn = true; });
    // Where the system keeps a registered window's target.
    auto* registered = static_cast<IDropTarget*>(GetPropW(window.Handle(), L"OleDropTargetInterface"));
    ASSERT_NE(registered, nullptr);
    FailingFileOffer offer;
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(registered->DragEnter(&offer, 0, {}, &effect), S_OK);
    ASSERT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    HRESULT result = S_OK;
    EXPECT_NO_THROW(result = registered->Drop(&offer, 0, {}, &effect));
    EXPECT_EQ(result, E_OUTOFMEMORY);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(handedOn);
}

TEST_F(DroppedFiles, RowsDraggedOutAreOfferedAsFilesBelowTheirFoldersWhichTheWindowItselfRefuses) {
    const win32::OleSession ole;
    const std::wstring archive = OpenThree();
    SelectRow(window.lstFile().Handle(), 1);
    SelectRow(window.lstFile().Handle(), 3);
    const win32::ComPtr<IDataObject> data = window.SelectionForDragOut();
    ASSERT_TRUE(data);
    EXPECT_EQ(window.StatusText(kStatePanel), L"解包完成！");

    // What the formats' list names can be had.
    IEnumFORMATETC* listed = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &listed), S_OK);
    const win32::ComPtr<IEnumFORMATETC> formats(listed);
    FORMATETC format{};
    bool offersFiles = false;
    while (formats->Next(1, &format, nullptr) == S_OK) {
        EXPECT_EQ(data->QueryGetData(&format), S_OK) << format.cfFormat;
        offersFiles = offersFiles || format.cfFormat == CF_HDROP;
    }
    ASSERT_TRUE(offersFiles);

    FORMATETC files{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    win32::StorageMedium medium;
    ASSERT_EQ(data->GetData(&files, medium.Out()), S_OK);
    std::vector<std::wstring> paths = DroppedPaths(static_cast<HDROP>(medium.Get().hGlobal));
    std::sort(paths.begin(), paths.end());
    ASSERT_EQ(paths.size(), 2u) << "the first-level folders of the two stored names";
    EXPECT_EQ(TextOf(PathFromWide(paths[0]) / L"IMG" / L"A.BMP"), "abc");
    EXPECT_EQ(TextOf(PathFromWide(paths[1]) / L"C.DAT"), "xyz!");
    EXPECT_EQ(PathFromWide(paths[1]).filename(), L"三国");

    const FileDropTarget target(window.Handle(), [](std::vector<std::wstring>) {});
    auto* registered = static_cast<IDropTarget*>(GetPropW(window.Handle(), L"OleDropTargetInterface"));
    ASSERT_NE(registered, nullptr);
    DWORD effect = DROPEFFECT_COPY;
    ASSERT_EQ(registered->DragEnter(data.get(), MK_LBUTTON, {}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    registered->Drop(data.get(), 0, {}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    // An archive gone from the disk gives no drag, and says so as Extract says it.
    std::filesystem::remove(PathFromWide(archive));
    dialogs.AnswerMessage(IDOK);
    EXPECT_FALSE(window.SelectionForDragOut());
    EXPECT_EQ(LastRequest().Message.Title, L"解包错误");
}

} // namespace
} // namespace quarrow::app::testing
