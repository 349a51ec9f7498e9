#include "ArchiveFromInput.hpp"

#include "File.hpp"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace quarrow::cli {

namespace {

// A file of ours in the temporary folder, under a name nobody else has taken.
File CreateOwnFile(std::filesystem::path& path) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        path = folder / ("quarrow-cli-input-" + std::to_string(random()) + std::to_string(random()));
        if (auto created = File::TryCreateNew(path)) {
            return std::move(*created);
        }
    }
    throw FileError(FileOperation::Create, path, std::make_error_code(std::errc::file_exists));
}

} // namespace

ArchiveFromInput::ArchiveFromInput() {
    std::optional<File> unnamed = File::TryCreateUnnamed(std::filesystem::temp_directory_path());
    const bool named = !unnamed || unnamed->HandlePath().empty();
    File copy = named ? CreateOwnFile(path_) : std::move(*unnamed);
    try {
        std::vector<char> buffer(1 << 16);
        std::uint64_t size = 0;
        while (const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), stdin)) {
            copy.WriteAt(size, buffer.data(), read);
            size += read;
        }
        if (std::ferror(stdin)) {
            throw FileError(FileOperation::Read, "-", {errno, std::generic_category()});
        }
        if (named) {
            copy.Close();
        } else {
            path_ = copy.HandlePath();
            unnamed_ = std::move(copy);
        }
    } catch (...) {
        copy = File();
        if (named) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
        throw;
    }
}

ArchiveFromInput::~ArchiveFromInput() {
    if (unnamed_.HandlePath().empty()) { // a named copy, which only this object created
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

} // namespace quarrow::cli
