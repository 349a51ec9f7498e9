// Every damaged archive of the script-made corpus gets its behaviour from quarrow-cli: list, extract and
// check refuse it with the program's open error (and, for a damaged index, its reason), or list every
// entry, extract all but the damaged ones, each named on the error stream, with exit code 1, and check
// prints a line for each problem and note, failing when there is a problem.
#include "ArchiveReader.hpp"
#include "DamagedArchives.hpp"
#include "HostPath.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"

#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace quarrow {
namespace {

using testing::DamagedArchive;
using testing::FilesBelow;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::string DescriptionOf(const std::string& problem) {
    const std::map<std::string, ArchiveProblem> problems{{"TruncatedHeader", ArchiveProblem::TruncatedHeader},
                                                         {"NegativeCount", ArchiveProblem::NegativeCount},
                                                         {"IndexOutsideFile", ArchiveProblem::IndexOutsideFile},
                                                         {"BadMagic", ArchiveProblem::BadMagic}};
    return std::string(Describe(problems.at(problem)));
}

class DamagedArchivesInTheCli : public ::testing::TestWithParam<DamagedArchive> {};

TEST_P(DamagedArchivesInTheCli, GetTheirBehaviour) {
    const DamagedArchive& expected = GetParam();
    TempDir dir;
    const auto original = ReadFileBytes(testing::DamagedArchivesFolder() / expected.name);
    WriteFileBytes(dir / "box" / expected.name, original);
    const auto cli = testing::HostPath(QUARROW_CLI_PATH);
    const auto list = testing::RunProgram(cli, {"list", expected.name}, dir / "box");
    const auto extract = testing::RunProgram(cli, {"extract", expected.name, "out"}, dir / "box");
    const auto check = testing::RunProgram(cli, {"check", expected.name}, dir / "box");

    if (expected.refused) {
        const std::string message =
            "quarrow-cli: " + expected.name +
            (expected.problem == "BadMagic" ? " is not a PAK archive: it " : " is a damaged PAK archive: it ") +
            DescriptionOf(expected.problem) + "\n";
        for (const auto* run : {&list, &extract, &check}) {
            EXPECT_EQ(run->exitCode, 1);
            EXPECT_EQ(run->out, "");
            EXPECT_EQ(run->err, message);
        }
        EXPECT_EQ(FilesBelow(dir.Path()), std::vector<std::string>{"box/" + expected.name});
        EXPECT_FALSE(std::filesystem::exists(dir / "box" / "out"));
        return;
    }

    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.err, "");
    EXPECT_EQ(static_cast<std::size_t>(std::count(list.out.begin(), list.out.end(), '\n')), expected.count);

    const auto lines = testing::SplitOn(check.out, '\n');
    const auto count = [&](const std::string& prefix) {
        return static_cast<std::size_t>(std::count_if(
            lines.begin(), lines.end(), [&](const std::string& line) { return line.starts_with(prefix); }));
    };
    EXPECT_EQ(check.exitCode, expected.Problems().empty() ? 0 : 1);
    EXPECT_EQ(check.err, "");
    EXPECT_EQ(count("problem: "), expected.Problems().size()) << check.out;
    EXPECT_EQ(count("note: "), expected.notes.size()) << check.out;
    EXPECT_EQ(lines.size(), expected.Problems().size() + expected.notes.size());

    EXPECT_EQ(extract.exitCode, expected.skipped.empty() ? 0 : 1);
    EXPECT_EQ(extract.out, "");
    std::vector<std::string> positions;
    const std::regex line("quarrow-cli: skipped entry ([0-9]+) \\(.*\\): .+");
    for (const auto& text : testing::SplitOn(extract.err, '\n')) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(text, match, line)) << text;
        positions.push_back(match[1]);
    }
    std::vector<std::string> expectedPositions;
    for (const auto& skipped : expected.skipped) {
        expectedPositions.push_back(skipped.substr(0, skipped.find(':')));
    }
    EXPECT_EQ(positions, expectedPositions);

    std::vector<std::string> files{"box/" + expected.name};
    for (const auto& file : expected.files) {
        files.push_back("box/out/" + file);
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(FilesBelow(dir.Path()), files);
    EXPECT_EQ(ReadFileBytes(dir / "box" / expected.name), original);
}

INSTANTIATE_TEST_SUITE_P(Corpus, DamagedArchivesInTheCli, ::testing::ValuesIn(testing::LoadDamagedArchives()),
                         [](const ::testing::TestParamInfo<DamagedArchive>& info) { return TestNameOf(info.param); });

} // namespace
} // namespace quarrow
