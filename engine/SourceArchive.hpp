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
#include <optional>

namespace quarrow {

class SourceArchive {
public:
    SourceArchive(std::filesystem::path path, std::uint64_t size, const HeaderBytes& header,
                  std::optional<FileIdentity> identity = std::nullopt)
        : path_(std::move(path)), size_(size), header_(header), identity_(identity) {}

    const std::filesystem::path& Path() const { return path_; }
    std::uint64_t Size() const { return size_; }
    const HeaderBytes& Header() const { return header_; }

    // Whether an open file is still the one opened, with the length, the header and, where it was
    // recorded, the modification time it had then.
    bool IsUnchanged(const File& file) const;

    // Whether `size` bytes from `offset` lie inside the archive as it was opened.
    bool Holds(std::int64_t offset, std::int64_t size) const;

private:
    std::filesystem::path path_;
    std::uint64_t size_;
    HeaderBytes header_;
    std::optional<FileIdentity> identity_;
};

using SharedSourceArchive = std::shared_ptr<const SourceArchive>;

} // namespace quarrow
