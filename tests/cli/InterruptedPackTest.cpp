// quarrow-cli pack interrupted midway over an archive the user already has: killed (kill -9;
// TerminateProcess on Windows), or stopped by Ctrl+C, SIGTERM or a closed terminal. That archive stays
// as it was, and the folder holds nothing new: where the system has unnamed files the archive is
// written as one, so no temporary file is ever left; elsewhere at most one, clearly named, which no
// later run takes or removes as its own.
#include "HostPath.hpp"
#include "RunProgram.hpp"
#include "TempDir.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
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

// The sizes of the files the pack is writing in `folder`: named ones, and on Linux unnamed ones, which
// only the files it holds open show.
std::vector<std::uintmax_t> FilesBeingWritten(testing::RunningProgram& pack, const std::filesystem::path& folder) {
    std::vector<std::uintmax_t> sizes;
    std::error_code gone;
    for (const auto& name : TemporaryFilesIn(folder)) {
        sizes.push_back(std::filesystem::file_size(folder / PathFromWide(name), gone));
    }
#ifdef __linux__
    const std::filesystem::path held = "/proc/" + std::to_string(pack.Id()) + "/fd";
    for (const auto& item : std::filesystem::directory_iterator(held, gone)) {
        const auto to = std::filesystem::read_symlink(item.path(), gone).string();
        if (to.starts_with(std::filesystem::canonical(folder).string() + "/#")) {
            sizes.push_back(std::filesystem::file_size(item.path(), gone));
        }
    }
#else
    (void)pack;
#endif
    return sizes;
}

// Waits until the pack's new archive holds `bytes` bytes, while the pack runs.
bool WaitForTheNewArchive(testing::RunningProgram& pack, const std::filesystem::path& folder, std::uintmax_t bytes) {
    while (pack.Running()) {
        for (const auto size : FilesBeingWritten(pack, folder)) {
            if (size >= bytes && size != static_cast<std::uintmax_t>(-1)) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

class InterruptedPack : public ::testing::TestWithParam<int> {};

TEST_P(InterruptedPack, LeavesTheOldArchiveAndNoFileOfItsOwn) {
    TempDir dir;
    const std::string old = "PAKS the user's old archive, which must survive";
    WriteFileText(dir / "OLD.PAK", old);
    const auto cli = testing::HostPath(QUARROW_CLI_PATH);

    bool caughtMidway = false;
    for (std::size_t size = 64u << 20; size <= (256u << 20) && !caughtMidway; size *= 2) {
        WriteFileText(dir / "src" / "big.bin", std::string(size, 'B'));
        testing::RunningProgram pack(cli, {"pack", "OLD.PAK", "src"}, dir.Path());
        caughtMidway = WaitForTheNewArchive(pack, dir.Path(), 2u << 20);
#ifdef _WIN32
        pack.Kill();
#else
        pack.Stop(GetParam());
#endif
        if (!caughtMidway) {
            // The pack finished before it could be caught: it must have written a whole archive.
            const std::uintmax_t dataEnd = 24 + size;
            const std::uintmax_t indexOffset = 16 * ((dataEnd + 1 + 15) / 16) + 1;
            EXPECT_EQ(std::filesystem::file_size(dir / "OLD.PAK"), indexOffset + 64);
            WriteFileText(dir / "OLD.PAK", old);
        }
    }
    ASSERT_TRUE(caughtMidway) << "every pack ended before it could be stopped";

    const auto bytes = ReadFileBytes(dir / "OLD.PAK");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), old);
    const auto leftovers = TemporaryFilesIn(dir.Path());
#ifdef __linux__
    EXPECT_TRUE(leftovers.empty());
#endif
    ASSERT_LE(leftovers.size(), 1u);
    std::size_t names = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
        (void)item;
        ++names;
    }
    EXPECT_EQ(names, 2 + leftovers.size()); // OLD.PAK, src and a leftover where there may be one

    // A later pack neither takes the leftover as its own nor removes it.
    WriteFileText(dir / "small.txt", "small");
    const auto next = testing::RunProgram(cli, {"pack", "NEXT.PAK", "small.txt"}, dir.Path());
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(TemporaryFilesIn(dir.Path()), leftovers);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Stops, InterruptedPack, ::testing::Values(9));
#else
INSTANTIATE_TEST_SUITE_P(Stops, InterruptedPack, ::testing::Values(SIGKILL, SIGINT, SIGTERM, SIGHUP));
#endif

} // namespace
} // namespace quarrow
