// The progress window's wording: real operations report through WordedProgress into a recording
// display, which must see the texts and numbers the window has always shown, in the same order.

#include "WordedProgress.hpp"

#include "DisplayRecorder.hpp"
#include "ExampleArchive.hpp"
#include "HandMadeArchive.hpp"
#include "TempDir.hpp"

#include "ArchiveReader.hpp"
#include "ArchiveWriter.hpp"
#include "ContentAppender.hpp"
#include "Extractor.hpp"
#include "FolderScanner.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace quarrow::app::testing {
namespace {

using quarrow::testing::HandMadeArchive;
using quarrow::testing::TempDir;
using quarrow::testing::WriteFileBytes;
using quarrow::testing::WriteFileText;
using Texts = std::vector<std::string>;

// A path below the test's folder as "@/name", with "/" between levels on every system.
std::string Portable(std::string text, const TempDir& dir) {
    const std::string root = Utf8FromWide(WideFromPath(dir.Path()));
    for (std::size_t at; (at = text.find(root)) != std::string::npos;) {
        text.replace(at, root.size(), "@");
    }
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

Texts Series(const std::string& before, int count, const std::string& after = "") {
    Texts texts;
    for (int i = 0; i < count; ++i) {
        texts.push_back(before + std::to_string(i) + after);
    }
    return texts;
}

Texts Joined(std::initializer_list<Texts> parts) {
    Texts all;
    for (const Texts& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Workspace Opened(const std::filesystem::path& archive) {
    Workspace workspace;
    NullProgress quiet;
    LoadArchive(workspace, archive, CheckArchive(archive).header, quiet);
    return workspace;
}

std::filesystem::path ThreeEntries(const TempDir& dir) {
    HandMadeArchive archive;
    archive.Add("DATA\\IMG\\A.BMP", "image").Add("ROOT.TXT", "root").Add("B.BMP", "bb");
    WriteFileBytes(dir / "a.pak", archive.Bytes());
    return dir / "a.pak";
}

Workspace EightFiles(const TempDir& dir) {
    Workspace workspace;
    for (int i = 0; i < 8; ++i) {
        const auto file = dir / ("f" + std::to_string(i));
        WriteFileText(file, std::string(static_cast<std::size_t>(i), 'x'));
        (void)workspace.AddFileEntry(file);
    }
    return workspace;
}

struct Operation {
    const char* name;
    std::function<void(const TempDir&, Progress&)> run; // makes its files in the folder and runs
    Texts statuses;                                     // lblStatus
    Texts items;                                        // lblFile
    Texts itemsBar;                                     // PBar.Text
    Texts stagesBar;                                    // PBar2.Text
};

void PrintTo(const Operation& operation, std::ostream* os) { *os << operation.name; }

const std::string kPackPercentages[] = {"12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"};
const Texts kPercentages(std::begin(kPackPercentages), std::end(kPackPercentages));

class ProgressWording : public ::testing::TestWithParam<Operation> {};

TEST_P(ProgressWording, ShowsEachStepItemAndCountAsTheWindowAlwaysHas) {
    TempDir dir;
    DisplayRecorder display;
    WordedProgress progress(display);
    GetParam().run(dir, progress);
    const auto texts = [&](const std::string& prefix) {
        Texts found = display.With(prefix);
        for (std::string& text : found) {
            text = Portable(text, dir);
        }
        return found;
    };
    EXPECT_EQ(texts("status "), GetParam().statuses);
    EXPECT_EQ(texts("item "), GetParam().items);
    EXPECT_EQ(texts("items.text "), GetParam().itemsBar);
    EXPECT_EQ(texts("stages.text "), GetParam().stagesBar);
    EXPECT_EQ(display.events.front(), "show");
    EXPECT_EQ(display.events.back(), "close");
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ProgressWording,
    ::testing::Values(
        Operation{"Open",
                  [](const TempDir& dir, Progress& progress) {
                      Workspace workspace;
                      const auto archive = ThreeEntries(dir);
                      LoadArchive(workspace, archive, CheckArchive(archive).header, progress);
                  },
                  {"读取PAK文件内容", "读取完毕，请等待。。。"},
                  {"DATA/IMG/A.BMP", "ROOT.TXT", "B.BMP", ""},
                  {"1 / 3", "2 / 3", "3 / 3"},
                  {}},
        Operation{"Pack",
                  [](const TempDir& dir, Progress& progress) {
                      Workspace workspace = EightFiles(dir);
                      PackArchive(workspace, dir / "eight.pak", progress);
                  },
                  {"整理档案索引", "打包档案内容：", "写入PAK构造", "写入索引："},
                  Joined({{""}, Series("@/f", 8), {""}, Series("f", 8)}),
                  Joined({kPercentages, kPercentages}),
                  {}},
        // Entries opened from an archive are named by the archive and their name in it.
        Operation{"PackOpened",
                  [](const TempDir& dir, Progress& progress) {
                      Workspace workspace = Opened(ThreeEntries(dir));
                      PackArchive(workspace, dir / "again.pak", progress);
                  },
                  {"整理档案索引", "打包档案内容：", "写入PAK构造", "写入索引："},
                  {"", "@/a.pak：DATA/IMG/A.BMP", "@/a.pak：ROOT.TXT", "@/a.pak：B.BMP", "", "DATA/IMG/A.BMP",
                   "ROOT.TXT", "B.BMP"},
                  {"33%", "67%", "100%", "33%", "67%", "100%"},
                  {}},
        Operation{"Extract",
                  [](const TempDir& dir, Progress& progress) {
                      const auto archive = ThreeEntries(dir);
                      ExtractArchive(Opened(archive), archive, dir / "out", progress);
                  },
                  {"读取PAK内容：", "解包PAK内容：", "3 档案解包完成！"},
                  {"@/a.pak", "源文件：@/out/DATA/IMG/A.BMP\r\n目的地：@/out/DATA/IMG",
                   "源文件：@/out/ROOT.TXT\r\n目的地：@/out/", "源文件：@/out/B.BMP\r\n目的地：@/out/", ""},
                  {"1 / 3", "2 / 3", "3 / 3"},
                  {}},
        Operation{"AddFolder",
                  [](const TempDir& dir, Progress& progress) {
                      WriteFileText(dir / "in" / "one", "1");
                      WriteFileText(dir / "in" / "two", "2");
                      WriteFileText(dir / "in" / "sub" / "three", "3");
                      std::filesystem::create_directories(dir / "in" / "empty");
                      Workspace workspace;
                      AddFolder(workspace, dir / "in", progress);
                  },
                  {"搜索目录", "增加档案：", "读取完毕，请等待。。。"},
                  {"@/in/one", "@/in/two", "@/in/sub/three", ""},
                  {"1 / 2", "2 / 2", "1 / 1"},
                  {"1 / 3", "2 / 3", "3 / 3"}},
        Operation{"Append",
                  [](const TempDir& dir, Progress& progress) {
                      WriteFileBytes(dir / "a.pak", quarrow::testing::ExampleArchiveBytes());
                      std::vector<std::filesystem::path> files;
                      for (int i = 0; i < 3; ++i) {
                          files.push_back(dir / ("f" + std::to_string(i)));
                          WriteFileText(files.back(), "x");
                      }
                      AppendContents(dir / "a.pak", files, progress);
                  },
                  {"", "读取档案：", "写入PAK文件：", "读取档案：", "写入PAK文件：", "读取档案：", "写入PAK文件："},
                  {"", "@/f0", "@/a.pak", "@/f1", "@/a.pak", "@/f2", "@/a.pak"},
                  {"33.3333333333333%", "66.6666666666667%", "100%"},
                  {}}),
    [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

struct BarCase {
    ProgressStep step;
    std::int64_t done;
    std::int64_t total;
    const char* text; // none for a bar without text
};

class BarTexts : public ::testing::TestWithParam<BarCase> {};

TEST_P(BarTexts, CountOrPercentageAsTheStepWantsIt) {
    DisplayRecorder display;
    WordedProgress progress(display);
    progress.SetStep(GetParam().step);
    progress.SetTotal(ProgressBar::Items, GetParam().total);
    progress.SetDone(ProgressBar::Items, GetParam().done);
    EXPECT_EQ(display.With("items.text "), GetParam().text ? Texts{GetParam().text} : Texts{});
}

INSTANTIATE_TEST_SUITE_P(Steps, BarTexts,
                         ::testing::Values(BarCase{ProgressStep::ReadingIndex, 7, 120, "7 / 120"},
                                           BarCase{ProgressStep::AssigningOffsets, 7, 120, nullptr},
                                           // The writer's percentages are whole, halves going to the even neighbour.
                                           BarCase{ProgressStep::CopyingContents, 1, 200, "0%"},
                                           BarCase{ProgressStep::CopyingContents, 3, 200, "2%"},
                                           BarCase{ProgressStep::WritingIndex, 2, 3, "67%"},
                                           // The appender's keep 15 significant digits and drop trailing zeros.
                                           BarCase{ProgressStep::WritingArchive, 1, 8, "12.5%"},
                                           BarCase{ProgressStep::WritingArchive, 1, 4, "25%"},
                                           BarCase{ProgressStep::ReadingSource, 0, 0, nullptr}));

// The window repaints as the calls arrive, so their order and number matter as much as the texts.
TEST(ProgressWording, EachReportBecomesTheWindowsCallsInTheirOrder) {
    TempDir dir;
    DisplayRecorder display;
    WordedProgress progress(display);
    Workspace workspace;
    const auto archive = ThreeEntries(dir);
    LoadArchive(workspace, archive, CheckArchive(archive).header, progress);
    EXPECT_EQ(display.events, (Texts{"show",
                                     "status 读取PAK文件内容",
                                     "items.min 0",
                                     "items.max 3",
                                     "stages.visible 0",
                                     "item DATA\\IMG\\A.BMP",
                                     "items.value 1",
                                     "items.text 1 / 3",
                                     "breathe",
                                     "item ROOT.TXT",
                                     "items.value 2",
                                     "items.text 2 / 3",
                                     "breathe",
                                     "item B.BMP",
                                     "items.value 3",
                                     "items.text 3 / 3",
                                     "breathe",
                                     "status 读取完毕，请等待。。。",
                                     "item ",
                                     "breathe",
                                     "close"}));

    DisplayRecorder packed;
    WordedProgress packing(packed);
    Workspace eight = EightFiles(dir);
    PackArchive(eight, dir / "eight.pak", packing);
    EXPECT_EQ(packed.With("stages."), (Texts{"visible 1", "min 0", "max 3", "value 1", "value 2", "value 3"}));
    EXPECT_EQ(packed.StepFrom("status 整理档案索引"),
              (Texts{"status 整理档案索引", "item ", "items.min 0", "items.max 8", "items.value 1"}));
    EXPECT_EQ(packed.StepFrom("status 写入PAK构造"), (Texts{"status 写入PAK构造", "item ", "status 写入索引：",
                                                            "item f0", "items.value 1", "items.text 12%"}));

    DisplayRecorder appended;
    WordedProgress appending(appended);
    WriteFileText(dir / "one", "1");
    AppendContents(archive, {dir / "one"}, appending);
    EXPECT_EQ(Texts(appended.events.begin(), appended.events.begin() + 6),
              (Texts{"show", "stages.visible 0", "items.min 0", "items.max 1", "status ", "item "}));
}

} // namespace
} // namespace quarrow::app::testing
