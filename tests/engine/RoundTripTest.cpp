// Pack a folder, open the archive, extract it, and find the same tree.
#include "ArchiveReader.hpp"
#include "ArchiveWriter.hpp"
#include "Extractor.hpp"
#include "FolderScanner.hpp"
#include "SystemPath.hpp"
#include "TempDir.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace quarrow {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::map<std::wstring, std::vector<std::uint8_t>> Contents(const std::filesystem::path& root) {
    std::map<std::wstring, std::vector<std::uint8_t>> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) {
            std::wstring name = WideFromPath(item.path().lexically_relative(root));
            std::replace(name.begin(), name.end(), kSystemSeparator, L'/');
            files[name] = ReadFileBytes(item.path());
        }
    }
    return files;
}

TEST(RoundTrip, AFolderPackedOpenedAndExtractedComesBackWithUpperCaseNames) {
    TempDir dir;
    std::mt19937 random(20240601);
    std::map<std::wstring, std::vector<std::uint8_t>> expected;
    const std::vector<std::wstring> names{L"A.BIN",       L"EMPTY.DAT",         L"HUGE.DAT",
                                          L"地图/城.MAP", L"SUB/DEEP/ER/X.TXT", L"SUB/Y.BMP"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        // An empty file, one of several megabytes (copied file to file), and small ones (buffered).
        const std::size_t size = i == 1 ? 0 : i == 2 ? 3 * 1024 * 1024 + 5 : random() % 200000;
        std::vector<std::uint8_t> bytes(size);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(random());
        }
        WriteFileBytes(dir / "src" / PathFromWide(i == 0 ? L"a.bin" : names[i]), bytes);
        expected[names[i]] = bytes;
    }

    Workspace workspace;
    NullProgress progress;
    AddFolder(workspace, dir / "src", progress);
    ASSERT_EQ(workspace.Count(), names.size());
    PackArchive(workspace, dir / "round.pak", progress);

    const ArchiveCheck check = CheckArchive(dir / "round.pak");
    ASSERT_TRUE(check);
    Workspace opened;
    LoadArchive(opened, dir / "round.pak", check.header, progress);
    for (std::size_t i = 1; i <= opened.Count(); ++i) {
        EXPECT_EQ(opened.MasterText(i, 2), workspace.MasterText(i, 2));
        EXPECT_EQ(opened.MasterText(i, 3), workspace.MasterText(i, 3));
        EXPECT_EQ(opened.MasterText(i, 1), workspace.MasterText(i, 4));
    }
    const ExtractionResult result = ExtractArchive(opened, dir / "round.pak", dir / "out", progress);
    EXPECT_TRUE(result.skipped.empty());
    EXPECT_EQ(Contents(dir / "out"), expected);
}

TEST(RoundTrip, TheSameTreeAlwaysPacksToTheSameBytes) {
    TempDir dir;
    for (const char* name : {"b/2", "B/1", "a/3", "C", "c2"}) {
        testing::WriteFileText(dir / "src" / name, name);
    }
    NullProgress progress;
    std::vector<std::vector<std::uint8_t>> archives;
    for (int run = 0; run < 2; ++run) {
        Workspace workspace;
        AddFolder(workspace, dir / "src", progress);
        PackArchive(workspace, dir / "same.pak", progress);
        archives.push_back(ReadFileBytes(dir / "same.pak"));
    }
    EXPECT_EQ(archives[0], archives[1]);
}

} // namespace
} // namespace quarrow
