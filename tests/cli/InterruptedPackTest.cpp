// quarrow-cli pack and update interrupted midway over an archive the user already has: killed (kill -9;
// TerminateProcess on Windows), or stopped by Ctrl+C, SIGTERM or a closed terminal. That archive stays
// as it was, and the folder holds nothing new: the new archive is written as a file without a name, or
// on Windows as one that the system removes with its last handle, so no temporary file is ever left,
// and a file of that form that the run did not create is never touched.
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

struct Interruption {
    const char* command; // "pack" or "update"
    int signal;
};

void PrintTo(const Interruption& interruption, std::ostream* out) {
    *out << interruption.command << " stopped by signal " << interruption.signal;
}

class InterruptedPack : public ::testing::TestWithParam<Interruption> {};

TEST_P(InterruptedPack, LeavesTheOldArchiveAndNoFileOfItsOwn) {
    TempDir dir;
    const auto cli = testing::HostPath(QUARROW_CLI_PATH);
    WriteFileText(dir / "small.txt", "small");
    const auto first = testing::RunProgram(cli, {"pack", "OLD.PAK", "small.txt"}, dir.Path());
    ASSERT_EQ(first.exitCode, 0) << first.err;
    const auto old = ReadFileBytes(dir / "OLD.PAK");
    const auto users = dir / "OLD.PAK.quarrow-tmp-0123456789abcdef";
    const std::string usersText = "the user's own file of the temporary form";
    WriteFileText(users, usersText);

    bool caughtMidway = false;
    for (std::size_t size = 64u << 20; size <= (256u << 20) && !caughtMidway; size *= 2) {
        WriteFileText(dir / "src" / "big.bin", std::string(size, 'B'));
        testing::RunningProgram run(cli, {GetParam().command, "OLD.PAK", "src"}, dir.Path());
        caughtMidway = WaitForTheNewArchive(run, dir.Path(), 2u << 20);
#ifdef _WIN32
        run.Kill();
#else
        run.Stop(GetParam().signal);
#endif
        if (!caughtMidway) {
            // The run finished before it could be caught: it must have replaced the archive.
            EXPECT_GT(std::filesystem::file_size(dir / "OLD.PAK"), size);
            WriteFileText(dir / "OLD.PAK", std::string(old.begin(), old.end()));
        }
    }
    ASSERT_TRUE(caughtMidway) << "every run ended before it could be stopped";

    EXPECT_EQ(ReadFileBytes(dir / "OLD.PAK"), old);
    const std::vector<std::wstring> onlyTheUsers = {WideFromPath(users.filename())};
    EXPECT_EQ(TemporaryFilesIn(dir.Path()), onlyTheUsers);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 4); // and OLD.PAK, small.txt, src
    EXPECT_EQ(ReadFileBytes(users), std::vector<std::uint8_t>(usersText.begin(), usersText.end()));

    // A later run neither takes that file as its own nor removes it, and still replaces the archive.
    WriteFileText(dir / "src" / "big.bin", "no longer big");
    const auto next = testing::RunProgram(cli, {GetParam().command, "OLD.PAK", "src"}, dir.Path());
    EXPECT_EQ(next.exitCode, 0) << next.err;
    EXPECT_EQ(TemporaryFilesIn(dir.Path()), onlyTheUsers);
    EXPECT_NE(ReadFileBytes(dir / "OLD.PAK"), old);
}

std::string NameOf(const ::testing::TestParamInfo<Interruption>& info) {
    return std::string(info.param.command) + "Signal" + std::to_string(info.param.signal);
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Stops, InterruptedPack, ::testing::Values(Interruption{"pack", 9}, Interruption{"update", 9}),
                         NameOf);
#else
INSTANTIATE_TEST_SUITE_P(Stops, InterruptedPack,
                         ::testing::Values(Interruption{"pack", SIGKILL}, Interruption{"pack", SIGINT},
                                           Interruption{"pack", SIGTERM}, Interruption{"pack", SIGHUP},
                                           Interruption{"update", SIGKILL}),
                         NameOf);
#endif

} // namespace
} // namespace quarrow
