#include "DirectoryListing.hpp"

#include "File.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace quarrow {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// Every byte of the name kept, whatever its encoding.
std::filesystem::path NameOf(std::string_view name) { return std::filesystem::path(name); }

// The item as the scan takes it from what `stat` says of it (of its target, for a link).
void Take(std::vector<DirectoryItem>& items, std::string_view name, const struct stat& info, ListingScope scope) {
    if (S_ISDIR(info.st_mode)) {
        items.push_back({NameOf(name), ItemKind::Directory, 0, {}});
    } else if (scope != ListingScope::Everything) {
        return;
    } else if (S_ISREG(info.st_mode)) {
        items.push_back({NameOf(name), ItemKind::File, static_cast<std::uint64_t>(info.st_size), {}});
    } else {
        items.push_back({NameOf(name), ItemKind::Unusable, 0, NotARegularFile()});
    }
}

} // namespace

std::filesystem::path ListedFolder(const std::filesystem::path& directory) { return directory; }

DirectoryListing ListDirectory(const std::filesystem::path& directory, ListingScope scope) {
    DirectoryListing listing;
    std::unique_ptr<DIR, DirectoryCloser> stream(::opendir(directory.c_str()));
    if (!stream) {
        listing.error = {errno, std::generic_category()};
        return listing;
    }
    const int descriptor = ::dirfd(stream.get());
    struct stat self {};
    if (::fstat(descriptor, &self) != 0) {
        listing.error = {errno, std::generic_category()};
        return listing;
    }
    listing.identity = FolderIdentity{static_cast<std::uint64_t>(self.st_dev), static_cast<std::uint64_t>(self.st_ino)};
    std::vector<DirectoryItem>& items = listing.items;
    for (;;) {
        errno = 0;
        const dirent* item = ::readdir(stream.get());
        if (item == nullptr) {
            if (errno != 0) {
                listing.error = {errno, std::generic_category()};
            }
            break;
        }
        const std::string_view name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // Most file systems tell the kind in the listing itself, which spares directories a look of
        // their own; a file's length needs one, relative to the open directory.
        if (item->d_type == DT_DIR) {
            items.push_back({NameOf(name), ItemKind::Directory, 0, {}});
            continue;
        }
        if (item->d_type != DT_UNKNOWN && item->d_type != DT_LNK && scope == ListingScope::Subdirectories) {
            continue;
        }
        struct stat info {};
        if (::fstatat(descriptor, item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT && scope == ListingScope::Everything) { // gone since it was listed: nothing lost
                items.push_back({NameOf(name), ItemKind::Unusable, 0, {errno, std::generic_category()}});
            }
            continue;
        }
        if (!S_ISLNK(info.st_mode)) {
            Take(items, name, info, scope);
            continue;
        }
        if (::fstatat(descriptor, item->d_name, &info, 0) == 0) {
            Take(items, name, info, scope);
        } else if (const int error = errno; scope == ListingScope::Everything) {
            items.push_back({NameOf(name), ItemKind::UnreachableLink, 0, {error, std::generic_category()}});
        }
    }
    return listing;
}

} // namespace quarrow
