// quarrow-cli pack killed midway (kill -9; TerminateProcess on Windows) over an archive the user
// already has: that archive stays as it was, the folder holds at most one clearly named temporary
// file, and the next pack into the folder removes it.
#include "HostPath.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace quarrow {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileText;

std::vector<std::wstring> TemporaryFilesIn(const std::filesystem::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        const std::wstring name = WideFromPath(item.path().filename());
        if (IsTemporaryFileName(name)) {
            names.push_back(name);
        }
    }
    return names;
}

// Waits until the pack's temporary file holds `bytes` bytes, while the pack runs.
bool WaitForTemporaryFile(testing::RunningProgram& pack, const std::filesystem::path& folder, std::uintmax_t bytes) {
    while (pack.Running()) {
        for (const auto& name : TemporaryFilesIn(folder)) {
            std::error_code gone;
            if (std::filesystem::file_size(folder / PathFromWide(name), gone) >= bytes && !gone) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

TEST(KilledPack, LeavesTheOldArchiveAndOneTemporaryFileThatTheNextPackRemoves) {
    TempDir dir;
    const std::string old = "PAKS the user's old archive, which must survive";
    WriteFileText(dir / "OLD.PAK", old);
    const auto cli = testing::HostPath(QUARROW_CLI_PATH);

    bool caughtMidway = false;
    for (std::size_t size = 64u << 20; size <= (256u << 20) && !caughtMidway; size *= 2) {
        WriteFileText(dir / "src" / "big.bin", std::string(size, 'B'));
        testing::RunningProgram pack(cli, {"pack", "OLD.PAK", "src"}, dir.Path());
        caughtMidway = WaitForTemporaryFile(pack, dir.Path(), 2u << 20);
        pack.Kill();
        if (!caughtMidway) {
            // The pack finished before it could be caught: it must have written a whole archive.
            const std::uintmax_t dataEnd = 24 + size;
            const std::uintmax_t indexOffset = 16 * ((dataEnd + 1 + 15) / 16) + 1;
            EXPECT_EQ(std::filesystem::file_size(dir / "OLD.PAK"), indexOffset + 64);
            WriteFileText(dir / "OLD.PAK", old);
        }
    }
    ASSERT_TRUE(caughtMidway) << "every pack ended before it could be killed";

    const auto bytes = ReadFileBytes(dir / "OLD.PAK");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), old);
    const auto leftovers = TemporaryFilesIn(dir.Path());
    ASSERT_LE(leftovers.size(), 1u);
    for (const auto& name : leftovers) {
        EXPECT_TRUE(name.starts_with(L"OLD.PAK.quarrow-tmp-")) << Utf8FromWide(name);
    }
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
        names.push_back(item.path().filename().string());
    }
    EXPECT_EQ(names.size(), 2 + leftovers.size()); // OLD.PAK, src and the leftover

    WriteFileText(dir / "small.txt", "small");
    const auto next = testing::RunProgram(cli, {"pack", "NEXT.PAK", "small.txt"}, dir.Path());
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_TRUE(TemporaryFilesIn(dir.Path()).empty());
    const auto after = ReadFileBytes(dir / "OLD.PAK");
    EXPECT_EQ(std::string(after.begin(), after.end()), old);
}

} // namespace
} // namespace quarrow
