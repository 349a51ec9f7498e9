#include "DirectoryListing.hpp"

#include "Text.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace quarrow {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

} // namespace

std::vector<DirectoryItem> ListDirectory(std::wstring_view directory, ListingScope scope) {
    std::vector<DirectoryItem> items;
    const std::string path = Utf8FromWide(directory);
    std::unique_ptr<DIR, DirectoryCloser> stream(::opendir(path.c_str()));
    if (!stream) {
        return items;
    }
    const int descriptor = ::dirfd(stream.get());
    while (const dirent* item = ::readdir(stream.get())) {
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // Most file systems tell the kind in the listing itself, which spares directories a look of
        // their own; a file's length needs one, relative to the open directory.
        if (item->d_type == DT_DIR) {
            items.push_back({WideFromUtf8(name), true, 0});
            continue;
        }
        if (item->d_type != DT_UNKNOWN && (item->d_type != DT_REG || scope == ListingScope::Subdirectories)) {
            continue;
        }
        struct stat info {};
        if (::fstatat(descriptor, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue; // gone since it was listed
        }
        if (S_ISDIR(info.st_mode)) {
            items.push_back({WideFromUtf8(name), true, 0});
        } else if (S_ISREG(info.st_mode) && scope == ListingScope::Everything) {
            items.push_back({WideFromUtf8(name), false, static_cast<std::uint64_t>(info.st_size)});
        }
    }
    return items;
}

} // namespace quarrow
