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

std::vector<DirectoryItem> ListDirectory(std::wstring_view directory) {
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
        // Most file systems tell the kind in the listing itself; the others need a look at each item.
        unsigned char kind = item->d_type;
        if (kind == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(descriptor, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
                continue; // gone since it was listed
            }
            kind = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (kind == DT_DIR) {
            items.push_back({WideFromUtf8(name), true});
        } else if (kind == DT_REG) {
            items.push_back({WideFromUtf8(name), false});
        }
    }
    return items;
}

} // namespace quarrow
