#pragma once
// An archive as it was opened: where it lies, and what tells its state then from a later one (its
// length and its header). Every entry read from it shares this one record, which says where the entry's
// bytes are to be found; before they are copied, the file is compared with it, so that bytes are never
// taken from an archive that has since been rewritten under the same name.

#include "File.hpp"
#include "PakFormat.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace quarrow {

class SourceArchive {
public:
    SourceArchive(std::filesystem::path path, std::uint64_t size, const HeaderBytes& header)
        : path_(std::move(path)), size_(size), header_(header) {}

    const std::filesystem::path& Path() const { return path_; }
    std::uint64_t Size() const { return size_; }
    const HeaderBytes& Header() const { return header_; }

    // Whether an open file still has the length and the header the archive had when it was opened.
    bool IsUnchanged(const File& file) const;

    // Whether `size` bytes from `offset` lie inside the archive as it was opened.
    bool Holds(std::int64_t offset, std::int64_t size) const;

private:
    std::filesystem::path path_;
    std::uint64_t size_;
    HeaderBytes header_;
};

using SharedSourceArchive = std::shared_ptr<const SourceArchive>;

} // namespace quarrow
