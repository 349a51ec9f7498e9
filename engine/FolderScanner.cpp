#include "FolderScanner.hpp"

#include "Cp936.hpp"
#include "modPAK.hpp"
#include "StoredName.hpp"
#include "SystemPath.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"

#include <algorithm>

namespace quarrow {

namespace {

// Upper case compared first, the exact name on ties, so that the order never depends on the system.
void SortCaseInsensitive(std::vector<DirectoryItem>& items) {
    struct Keyed {
        std::wstring upper;
        std::wstring exact;
        DirectoryItem item;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (auto& item : items) {
        std::wstring exact = WideFromPath(item.name);
        keyed.push_back({ToUpperInvariant(exact), std::move(exact), std::move(item)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.upper != b.upper ? a.upper < b.upper : a.exact < b.exact;
    });
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = std::move(keyed[i].item);
    }
}

bool BeginsWithDot(const std::filesystem::path& name) { return !name.native().empty() && name.native().front() == '.'; }

std::vector<std::filesystem::path> SubdirectoryNames(std::vector<DirectoryItem> items) {
    std::vector<DirectoryItem> found;
    for (auto& item : items) {
        if (item.kind == ItemKind::Directory && !BeginsWithDot(item.name)) {
            found.push_back(std::move(item));
        }
    }
    SortCaseInsensitive(found);
    std::vector<std::filesystem::path> names;
    names.reserve(found.size());
    for (auto& item : found) {
        names.push_back(std::move(item.name));
    }
    return names;
}

// A file of the temporary form that a live run holds: on Windows open without sharing or marked for
// removal, which both make this open fail, elsewhere locked. A file of that form that nobody holds is
// the user's, or a leftover, and is taken as any other.
bool IsLiveTemporaryFile(const std::filesystem::path& folder, const std::filesystem::path& name) {
    if (!IsTemporaryFileName(WideFromPath(name))) {
        return false;
    }
    try {
        File file = File::Open(JoinLevel(folder, name), File::Mode::Read);
        return !file.TryLockExclusive();
    } catch (const FileError&) {
        return true;
    }
}

} // namespace

void ScanFolders(FolderSearch& search, std::vector<std::filesystem::path>& directories, ScanReport& report) {
    // Depth first with an explicit stack: a tree of any depth cannot exhaust the call stack. Each
    // level keeps its own folder, as each nested call of a recursive walk would.
    struct Level {
        std::filesystem::path folder;
        std::vector<std::filesystem::path> names;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    DirectoryListing listing = ListDirectory(search.path, ListingScope::Subdirectories);
    if (listing.error) {
        report.unusable.push_back({search.path, listing.error});
    }
    if (listing.identity) {
        search.entered.emplace(*listing.identity, search.path);
    }
    stack.push_back({ListedFolder(search.path), SubdirectoryNames(std::move(listing.items)), 0});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.names.size()) {
            stack.pop_back();
            continue;
        }
        std::filesystem::path found = JoinLevel(level.folder, level.names[level.next++]);
        listing = ListDirectory(found, ListingScope::Subdirectories);
        // A folder that cannot be read is reported; its files are then listed as none.
        if (listing.error) {
            report.unusable.push_back({found, listing.error});
        }
        if (listing.identity) {
            const auto [first, isNew] = search.entered.emplace(*listing.identity, found);
            if (!isNew) {
                report.repeatedFolders.push_back({std::move(found), first->second});
                continue;
            }
        }
        ++search.counter;
        directories.push_back(found);
        if (search.recurse) {
            search.path = found;
            stack.push_back({std::move(found), SubdirectoryNames(std::move(listing.items)), 0});
        }
    }
}

std::vector<DirectoryItem> ListFolderFiles(const std::filesystem::path& directory, ScanReport& report) {
    std::vector<DirectoryItem> files;
    DirectoryListing listing = ListDirectory(directory);
    // Reported once, when its subfolders were looked for, unless the trouble began since.
    if (listing.error && std::none_of(report.unusable.begin(), report.unusable.end(),
                                      [&](const UnusableItem& item) { return item.path == directory; })) {
        report.unusable.push_back({directory, listing.error});
    }
    for (auto& item : listing.items) {
        if (item.kind != ItemKind::Directory) {
            files.push_back(std::move(item));
        }
    }
    SortCaseInsensitive(files);
    return files;
}

namespace {

// Upper case, where code page 936 has the upper-case letter: a name it can store stays storable.
wchar_t StorableUpper(wchar_t c) {
    const wchar_t upper = ToUpperInvariant(c);
    if (upper == c || static_cast<std::uint32_t>(c) < 0x80) {
        return upper;
    }
    return cp936::Encode(std::wstring_view(&upper, 1)) ? upper : c;
}

} // namespace

std::wstring RelativeStoredName(const std::filesystem::path& chosenFolder, const std::filesystem::path& filePath) {
    // Compared level by level, so that a separator ending the chosen folder changes nothing. The drive
    // and the root of the file's path are no levels to store, even below a bare drive (C:).
    const int rootLevels = (filePath.has_root_name() ? 1 : 0) + (filePath.has_root_directory() ? 1 : 0);
    auto file = filePath.begin();
    int at = 0; // the position of `file` among the path's levels
    for (const std::filesystem::path& level : chosenFolder) {
        if (level.empty()) { // after a trailing separator
            continue;
        }
        if (file == filePath.end() || *file != level) {
            file = filePath.begin();
            at = 0;
            break;
        }
        ++file;
        ++at;
    }
    std::wstring name;
    for (; file != filePath.end(); ++file, ++at) {
        if (file->empty() || at < rootLevels) {
            continue;
        }
        if (!name.empty()) {
            name.push_back(kArchiveSeparator);
        }
        name += StoredLevelText(*file);
    }
    std::transform(name.begin(), name.end(), name.begin(), StorableUpper);
    return name;
}

std::vector<std::filesystem::path> CollectDirectories(const std::filesystem::path& chosenFolder, Progress& progress,
                                                      ScanReport& report) {
    progress.SetStep(ProgressStep::SearchingFolders);
    std::vector<std::filesystem::path> directories{ListedFolder(chosenFolder)};
    progress.Breathe();
    FolderSearch search;
    search.path = chosenFolder;
    ScanFolders(search, directories, report);
    return directories;
}

std::vector<CollectedFile> CollectFiles(const std::vector<std::filesystem::path>& directories, Progress& progress,
                                        ScanReport& report) {
    const auto directoryCount = static_cast<std::int64_t>(directories.size());
    progress.SetTotal(ProgressBar::Stages, directoryCount);
    progress.SetStep(ProgressStep::ListingFiles);
    std::vector<CollectedFile> files;
    for (std::size_t j = 0; j < directories.size(); ++j) {
        std::vector<DirectoryItem> names = ListFolderFiles(directories[j], report);
        std::erase_if(names, [&](const DirectoryItem& item) {
            if (item.kind == ItemKind::File && IsLiveTemporaryFile(directories[j], item.name)) {
                return true; // an archive another run is writing right now, not the user's file
            }
            if (item.kind == ItemKind::UnreachableLink) {
                report.unreachableLinks.push_back({JoinLevel(directories[j], item.name), item.error});
            } else if (item.kind == ItemKind::Unusable) {
                report.unusable.push_back({JoinLevel(directories[j], item.name), item.error});
            }
            return item.kind != ItemKind::File;
        });
        const auto fileCount = static_cast<std::int64_t>(names.size());
        if (fileCount > 0) {
            progress.SetTotal(ProgressBar::Items, fileCount);
            for (std::size_t k = 0; k < names.size(); ++k) {
                files.push_back({JoinLevel(directories[j], names[k].name), names[k].size});
                const std::wstring shown = WideFromPath(files.back().path);
                progress.SetItem({.source = shown});
                progress.SetDone(ProgressBar::Items, static_cast<std::int64_t>(k) + 1);
                progress.Breathe();
            }
        }
        progress.SetDone(ProgressBar::Stages, static_cast<std::int64_t>(j) + 1);
        progress.Breathe();
    }
    progress.SetItem({});
    progress.SetStep(ProgressStep::FilesListed);
    progress.Breathe();
    return files;
}

std::int64_t AddCollectedFiles(Workspace& workspace, const std::filesystem::path& chosenFolder,
                               const std::vector<CollectedFile>& files) {
    workspace.Reserve(workspace.Count() + files.size());
    for (const CollectedFile& file : files) {
        workspace.AddFolderEntry(file.path, RelativeStoredName(chosenFolder, file.path), file.length);
    }
    return static_cast<std::int64_t>(files.size());
}

FolderAdded AddFolder(Workspace& workspace, const std::filesystem::path& chosenFolder, Progress& progress) {
    const ProgressShown shown(progress);
    FolderAdded added;
    const auto directories = CollectDirectories(chosenFolder, progress, added.report);
    const auto files = CollectFiles(directories, progress, added.report);
    added.files = AddCollectedFiles(workspace, chosenFolder, files);
    return added;
}

} // namespace quarrow
