#pragma once
// Add folder: every file below a chosen folder, at any depth, becomes a workspace entry whose stored
// name is its path relative to that folder in upper case. Three phases: collect the directories,
// list their files, add the entries.

#include "DirectoryListing.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow {

// The search record of the directory walk.
struct FolderSearch {
    bool recurse = true;
    std::wstring path;
    std::int64_t counter = 0; // directories found
};

// Appends every directory below the record's path to `directories`, depth first, each directory
// directly followed by its own subdirectories. Directories whose name begins with "." are not entered.
// Siblings come in case-insensitive name order on every system, so that one tree always packs to the
// same archive.
void ScanFolders(FolderSearch& search, std::vector<std::wstring>& directories);

// A directory's own files, in case-insensitive name order (ties in exact order), with their lengths.
std::vector<DirectoryItem> ListFolderFiles(std::wstring_view directory);

// The stored name of a collected file: its upper-case path with the upper-case base prefix (the
// chosen folder and one separator) removed from its start, with "\" between levels.
std::wstring RelativeStoredName(std::wstring_view chosenFolder, std::wstring_view filePath);

struct CollectedFile {
    std::wstring path;
    std::uint64_t length = 0; // read when the file was found; what vanishes before that is skipped
};

// The three phases, reported on `progress`, which the caller has shown (the status bar of the main
// window changes between showing it and the first phase). The last returns the number of files added.
std::vector<std::wstring> CollectDirectories(std::wstring_view chosenFolder, Progress& progress);
std::vector<CollectedFile> CollectFiles(const std::vector<std::wstring>& directories, Progress& progress);
std::int64_t AddCollectedFiles(Workspace& workspace, std::wstring_view chosenFolder,
                               const std::vector<CollectedFile>& files);

// All three phases in a progress window of their own.
std::int64_t AddFolder(Workspace& workspace, std::wstring_view chosenFolder, Progress& progress);

} // namespace quarrow
