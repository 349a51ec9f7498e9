#include "ScratchFolder.hpp"

#include <random>
#include <string>
#include <system_error>

namespace quarrow::app {

namespace fs = std::filesystem;

namespace {

// A folder under the temporary folder that this call made itself, so that nothing of anybody else's
// is ever taken as ours, nor later removed.
fs::path MakeOwnRoot() {
    const fs::path temporary = fs::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = temporary / ("Quarrow-" + std::to_string(random()) + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            return candidate;
        }
    }
    throw fs::filesystem_error("no folder of our own could be made", temporary,
                               std::make_error_code(std::errc::file_exists));
}

} // namespace

ScratchFolder::~ScratchFolder() {
    if (!root_.empty()) {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
}

fs::path ScratchFolder::NewFolder() {
    if (root_.empty()) {
        root_ = MakeOwnRoot();
    }
    fs::path folder = root_ / std::to_string(++made_);
    fs::create_directory(folder);
    return folder;
}

bool ScratchFolder::Remove(const fs::path& folder) {
    if (root_.empty() || folder.parent_path() != root_) {
        return false;
    }
    std::error_code error;
    fs::remove_all(folder, error);
    return !error;
}

} // namespace quarrow::app
