#pragma once
// Add folder: every file below a chosen folder, at any depth, becomes a workspace entry whose stored
// name is its path relative to that folder in upper case. Three phases: collect the directories,
// list their files, add the entries.

#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quarrow {

// The search record of the directory walk.
struct FolderSearch {
    bool recurse = true;
    std::wstring path;
    std::wstring pattern = L"*.*";
    std::int64_t counter = 0; // directories found
};

// Appends every directory below the record's path to `directories`, depth first, each directory
// directly followed by its own subdirectories. Directories whose name begins with "." are not entered.
// Siblings come in case-insensitive name order on every system, so that one tree always packs to the
// same archive.
void ScanFolders(FolderSearch& search, std::vector<std::wstring>& directories);

// The names of a directory's own files, in case-insensitive order (ties in exact order).
std::vector<std::wstring> ListFolderFiles(std::wstring_view directory);

// The stored name of a collected file: its upper-case path with the upper-case base prefix (the
// chosen folder and one separator) removed from its start, with "\" between levels.
std::wstring RelativeStoredName(std::wstring_view chosenFolder, std::wstring_view filePath);

struct SkippedFile {
    std::wstring path;
    std::error_code reason;
};

struct FolderAddResult {
    std::int64_t fileCount = 0; // files found, shown as "n 档案"
    std::vector<SkippedFile> skipped; // found but gone or unreadable when added
};

// The three phases, reported on `progress`, which the caller has shown (the status bar of the main
// window changes between showing it and the first phase). Files that vanish meanwhile are skipped.
std::vector<std::wstring> CollectDirectories(std::wstring_view chosenFolder, Progress& progress);
std::vector<std::wstring> CollectFiles(const std::vector<std::wstring>& directories, Progress& progress);
FolderAddResult AddCollectedFiles(Workspace& workspace, std::wstring_view chosenFolder,
                                  const std::vector<std::wstring>& files);

// All three phases in a progress window of their own.
FolderAddResult AddFolder(Workspace& workspace, std::wstring_view chosenFolder, Progress& progress);

} // namespace quarrow
