#pragma once
// Add folder: every file below a chosen folder, at any depth, becomes a workspace entry whose stored
// name is its path relative to that folder in upper case. Three phases: collect the directories,
// list their files, add the entries.

#include "DirectoryListing.hpp"
#include "Progress.hpp"
#include "Workspace.hpp"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace quarrow {

// What a scan left out, and why; the caller tells the user.
struct UnreachableLink {
    std::filesystem::path path; // the link, as the scan found it
    std::error_code error;      // why its target cannot be opened: missing, or a loop of links
};
struct RepeatedFolder {
    std::filesystem::path path;      // where the scan met a folder again, through a link or a junction
    std::filesystem::path enteredAs; // where it had entered that folder before
};
struct UnusableItem {
    std::filesystem::path path; // a folder that could not be listed, or an item that is no file or folder to take
    std::error_code error;      // the system's reason
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
    std::filesystem::path path;
    std::int64_t counter = 0; // directories found
    // Every physical folder entered so far, with the path that entered it.
    std::map<FolderIdentity, std::filesystem::path> entered;
};

// Appends every directory below the record's path to `directories`, depth first, each directory
// directly followed by its own subdirectories. Directories whose name begins with "." are not entered.
// Siblings come in case-insensitive name order on every system, so that one tree always packs to the
// same archive. Links and junctions to folders are entered like folders, but each physical folder only
// the first time the walk meets it (the record's own folder included): a folder met again is left out
// and reported, so that no file is added twice and a link back up the tree ends the walk.
void ScanFolders(FolderSearch& search, std::vector<std::filesystem::path>& directories, ScanReport& report);

// A directory's own files, unreachable links and unusable items, in case-insensitive name order (ties
// in exact order), the files with their lengths; a directory that cannot be read to its end is reported.
std::vector<DirectoryItem> ListFolderFiles(const std::filesystem::path& directory, ScanReport& report);

// The stored name of a collected file: the levels of its path below the chosen folder, each as
// StoredLevelText gives it, in upper case, with "\" between them. A path that does not begin with the
// chosen folder keeps all its levels below its drive or root.
std::wstring RelativeStoredName(const std::filesystem::path& chosenFolder, const std::filesystem::path& filePath);

struct CollectedFile {
    std::filesystem::path path;
    std::uint64_t length = 0; // read when the file was found; what vanishes before that is skipped
};

// The three phases, reported on `progress`, which the caller has shown (the status bar of the main
// window changes between showing it and the first phase); what the first two leave out goes into
// `report`. The last returns the number of files added.
std::vector<std::filesystem::path> CollectDirectories(const std::filesystem::path& chosenFolder, Progress& progress,
                                                      ScanReport& report);
std::vector<CollectedFile> CollectFiles(const std::vector<std::filesystem::path>& directories, Progress& progress,
                                        ScanReport& report);
std::int64_t AddCollectedFiles(Workspace& workspace, const std::filesystem::path& chosenFolder,
                               const std::vector<CollectedFile>& files);

struct FolderAdded {
    std::int64_t files = 0;
    ScanReport report;
};

// All three phases in a progress window of their own.
FolderAdded AddFolder(Workspace& workspace, const std::filesystem::path& chosenFolder, Progress& progress);

} // namespace quarrow
