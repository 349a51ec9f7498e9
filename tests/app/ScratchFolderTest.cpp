// The run's scratch folder: each copy gets a folder of its own, and nothing of ours outlives the run.

#include "ScratchFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quarrow::app {
namespace {

namespace fs = std::filesystem;

TEST(ScratchFolder, GivesFreshFoldersAndRemovesThemAll) {
    fs::path root;
    {
        ScratchFolder scratch;
        EXPECT_TRUE(scratch.Path().empty()) << "nothing is made before a copy needs it";
        const fs::path first = scratch.NewFolder();
        const fs::path second = scratch.NewFolder();
        root = scratch.Path();
        ASSERT_NE(first, second);
        EXPECT_TRUE(fs::is_empty(first) && fs::is_empty(second));
        std::ofstream(first / "A.BMP") << "copy";
        std::ofstream(second / "A.BMP") << "another";

        EXPECT_TRUE(scratch.Remove(first));
        EXPECT_FALSE(fs::exists(first));
        EXPECT_FALSE(scratch.Remove(root.parent_path())) << "only a folder it gave is removed";
        EXPECT_TRUE(fs::exists(second / "A.BMP"));
    }
    EXPECT_FALSE(fs::exists(root));
}

} // namespace
} // namespace quarrow::app
