#pragma once
// One directory's items as the folder scan sees them. On Windows: the subdirectories (hidden ones
// included) and the files that are neither hidden nor system. Elsewhere, where files carry no such
// attributes: the subdirectories and every regular file. Links and junctions are never followed, so a
// scan cannot loop or leave the chosen tree. A directory that cannot be read lists nothing.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow {

struct DirectoryItem {
    std::wstring name;
    bool isDirectory = false;
    std::uint64_t size = 0; // of a file, as the listing found it
};

enum class ListingScope {
    Everything,     // subdirectories, and files with their lengths
    Subdirectories, // subdirectories only: spares looking at each file
};

std::vector<DirectoryItem> ListDirectory(std::wstring_view directory, ListingScope scope = ListingScope::Everything);

} // namespace quarrow
