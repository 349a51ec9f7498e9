#include "ArchiveFromInput.hpp"

#include "File.hpp"

#include <cerrno>
#include <cstdio>
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
    File copy = CreateOwnFile(path_);
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
        copy.Close();
    } catch (...) {
        copy = File();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        throw;
    }
}

ArchiveFromInput::~ArchiveFromInput() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

} // namespace quarrow::cli
