#pragma once
// One directory's items as the folder scan sees them. On Windows: the subdirectories (hidden ones
// included) and the files that are neither hidden nor system. Elsewhere, where files carry no such
// attributes: the subdirectories and every regular file. Symbolic links and junctions are followed, as
// any program that opens them would: a linked file is listed with its target's length, a linked folder
// as a folder, and a link whose target cannot be reached (missing, or links that lead round in a loop)
// as such, with the system's reason. A directory that cannot be read lists nothing and says why, and
// an item that the scan cannot take (a device, a pipe, a name the system cannot hand on) is listed as
// such, so that nothing a folder holds is left out without a word.
//
// The listing also tells which physical folder it read, so that a scan that follows links can enter
// each folder once and end even when a link leads back up the tree.

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace quarrow {

// A folder as the file system knows it, whatever path leads to it: the volume's serial number and the
// file index on Windows, the device and the inode elsewhere.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;

    friend auto operator<=>(const FolderIdentity&, const FolderIdentity&) = default;
};

enum class ItemKind {
    File,
    Directory,
    UnreachableLink, // a link whose target cannot be opened
    Unusable,        // no file nor folder that the scan can take; see the error
};

struct DirectoryItem {
    std::filesystem::path name; // one level, as the system gave it
    ItemKind kind = ItemKind::File;
    std::uint64_t size = 0; // of a file: its target's for a linked one
    std::error_code error;  // why an unreachable link's target, or an unusable item, cannot be taken
};

struct DirectoryListing {
    std::optional<FolderIdentity> identity; // of the folder read; empty when it cannot be read
    std::error_code error;                  // why it could not be read, or not to its end
    std::vector<DirectoryItem> items;
};

enum class ListingScope {
    Everything,     // subdirectories, files with their lengths, unreachable links and unusable items
    Subdirectories, // subdirectories only: spares looking at each file
};

// The folder that ListDirectory reads for `directory`, and that what it lists lies in: on Windows a
// bare drive (C:), which names the drive's current folder, is read at its root, as "C:\*.*" was.
std::filesystem::path ListedFolder(const std::filesystem::path& directory);

DirectoryListing ListDirectory(const std::filesystem::path& directory, ListingScope scope = ListingScope::Everything);

} // namespace quarrow
