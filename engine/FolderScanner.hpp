#pragma once
// Add folder: every file below a chosen folder, at any depth, becomes a workspace entry whose stored
// name is its path relative to that folder in upper case. Three phases: collect the directories,
// list their files, add the entries.

#include "DirectoryListing.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quarrow {

// What a scan left out, and why; the caller tells the user.
struct UnreachableLink {
    std::wstring path;     // the link, as the scan found it
    std::error_code error; // why its target cannot be opened: missing, or a loop of links
};
struct RepeatedFolder {
    std::wstring path;      // where the scan met a folder again, through a link or a junction
    std::wstring enteredAs; // where it had entered that folder before
};
struct UnusableItem {
    std::wstring path;     // a folder that could not be listed, or an item that is no file or folder to take
    std::error_code error; // the system's reason
};
struct ScanReport {
    std::vector<UnreachableLink> unreachableLinks;
    std::vector<RepeatedFolder> repeatedFolders;
    std::vector<UnusableItem> unusable;

    bool Empty() const { return unreachableLinks.empty() && repeatedFolders.empty() && unusable.empty(); }
};

// The search record of the directory walk.
struct FolderSearch {
    bool recurse = true;
    std::wstring path;
    std::int64_t counter = 0; // directories found
    // Every physical folder entered so far, with the path that entered it.
    std::map<FolderIdentity, std::wstring> entered;
};

// Appends every directory below the record's path to `directories`, depth first, each directory
// directly followed by its own subdirectories. Directories whose name begins with "." are not entered.
// Siblings come in case-insensitive name order on every system, so that one tree always packs to the
// same archive. Links and junctions to folders are entered like folders, but each physical folder only
// the first time the walk meets it (the record's own folder included): a folder met again is left out
// and reported, so that no file is added twice and a link back up the tree ends the walk.
void ScanFolders(FolderSearch& search, std::vector<std::wstring>& directories, ScanReport& report);

// A directory's own files, unreachable links and unusable items, in case-insensitive name order (ties
// in exact order), the files with their lengths; a directory that cannot be read to its end is reported.
std::vector<DirectoryItem> ListFolderFiles(std::wstring_view directory, ScanReport& report);

// The stored name of a collected file: its upper-case path with the upper-case base prefix (the
// chosen folder and one separator) removed from its start, with "\" between levels.
std::wstring RelativeStoredName(std::wstring_view chosenFolder, std::wstring_view filePath);

struct CollectedFile {
    std::wstring path;
    std::uint64_t length = 0; // read when the file was found; what vanishes before that is skipped
};

// The three phases, reported on `progress`, which the caller has shown (the status bar of the main
// window changes between showing it and the first phase); what the first two leave out goes into
// `report`. The last returns the number of files added.
std::vector<std::wstring> CollectDirectories(std::wstring_view chosenFolder, Progress& progress, ScanReport& report);
std::vector<CollectedFile> CollectFiles(const std::vector<std::wstring>& directories, Progress& progress,
                                        ScanReport& report);
std::int64_t AddCollectedFiles(Workspace& workspace, std::wstring_view chosenFolder,
                               const std::vector<CollectedFile>& files);

struct FolderAdded {
    std::int64_t files = 0;
    ScanReport report;
};

// All three phases in a progress window of their own.
FolderAdded AddFolder(Workspace& workspace, std::wstring_view chosenFolder, Progress& progress);

} // namespace quarrow
