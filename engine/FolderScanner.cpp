#include "FolderScanner.hpp"

#include "Cp936.hpp"
#include "StoredName.hpp"
#include "SystemPath.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"

#include <algorithm>

namespace quarrow {

namespace {

// Upper case compared first, the exact name on ties, so that the order never depends on the system.
void SortCaseInsensitive(std::vector<DirectoryItem>& items) {
    std::vector<std::pair<std::wstring, DirectoryItem>> keyed;
    keyed.reserve(items.size());
    for (auto& item : items) {
        keyed.emplace_back(ToUpperInvariant(item.name), std::move(item));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
    });
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = std::move(keyed[i].second);
    }
}

std::wstring WithTrailingSeparator(std::wstring path) {
    if (path.empty() || !IsSystemSeparator(path.back())) {
        path.push_back(kSystemSeparator);
    }
    return path;
}

std::vector<std::wstring> SubdirectoryNames(std::vector<DirectoryItem> items) {
    std::vector<DirectoryItem> found;
    for (auto& item : items) {
        if (item.kind == ItemKind::Directory && !item.name.starts_with(L'.')) {
            found.push_back(std::move(item));
        }
    }
    SortCaseInsensitive(found);
    std::vector<std::wstring> names;
    names.reserve(found.size());
    for (auto& item : found) {
        names.push_back(std::move(item.name));
    }
    return names;
}

// A file of the temporary form that a live run holds: on Windows open without sharing or marked for
// removal, which both make this open fail, elsewhere locked. A file of that form that nobody holds is the user's, or a
// leftover, and is taken as any other.
bool IsLiveTemporaryFile(std::wstring_view folder, std::wstring_view name) {
    if (!IsTemporaryFileName(name)) {
        return false;
    }
    try {
        File file = File::Open(PathFromWide(JoinSystemPath(folder, name)), File::Mode::Read);
        return !file.TryLockExclusive();
    } catch (const FileError&) {
        return true;
    }
}

} // namespace

void ScanFolders(FolderSearch& search, std::vector<std::wstring>& directories, ScanReport& report) {
    // Depth first with an explicit stack: a tree of any depth cannot exhaust the call stack. Each
    // level keeps its own prefix, as each nested call of a recursive walk would.
    struct Level {
        std::wstring prefix;
        std::vector<std::wstring> names;
        std::size_t next = 0;
    };
    std::vector<Level> stack;
    const std::wstring start = WithTrailingSeparator(search.path);
    DirectoryListing listing = ListDirectory(start, ListingScope::Subdirectories);
    if (listing.error) {
        report.unusable.push_back({search.path, listing.error});
    }
    if (listing.identity) {
        search.entered.emplace(*listing.identity, search.path);
    }
    stack.push_back({start, SubdirectoryNames(std::move(listing.items)), 0});
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.names.size()) {
            stack.pop_back();
            continue;
        }
        std::wstring found = level.prefix + level.names[level.next++];
        std::wstring prefix = WithTrailingSeparator(found);
        listing = ListDirectory(prefix, ListingScope::Subdirectories);
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
            search.path = std::move(found);
            stack.push_back({std::move(prefix), SubdirectoryNames(std::move(listing.items)), 0});
        }
    }
}

std::vector<DirectoryItem> ListFolderFiles(std::wstring_view directory, ScanReport& report) {
    std::vector<DirectoryItem> files;
    DirectoryListing listing = ListDirectory(directory);
    // Reported once, when its subfolders were looked for, unless the trouble began since.
    if (listing.error && std::none_of(report.unusable.begin(), report.unusable.end(),
                                      [&](const UnusableItem& item) { return item.path == directory; })) {
        report.unusable.push_back({std::wstring(directory), listing.error});
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

std::wstring RelativeStoredName(std::wstring_view chosenFolder, std::wstring_view filePath) {
    const std::wstring prefix = ToUpperInvariant(CollapseSeparators(WithTrailingSeparator(std::wstring(chosenFolder))));
    std::wstring_view relative = filePath;
    if (ToUpperInvariant(filePath).starts_with(prefix)) {
        relative.remove_prefix(prefix.size());
    }
    std::wstring name;
    while (!relative.empty()) {
        const auto end = std::find_if(relative.begin(), relative.end(), IsSystemSeparator);
        const auto length = static_cast<std::size_t>(end - relative.begin());
        name += StoredLevelText(relative.substr(0, length));
        if (length < relative.size()) {
            name.push_back(relative[length]);
        }
        relative.remove_prefix(std::min(length + 1, relative.size()));
    }
    std::transform(name.begin(), name.end(), name.begin(), StorableUpper);
    return StoredFromSystemName(name);
}

std::vector<std::wstring> CollectDirectories(std::wstring_view chosenFolder, Progress& progress, ScanReport& report) {
    progress.SetStep(ProgressStep::SearchingFolders);
    std::vector<std::wstring> directories{std::wstring(chosenFolder)};
    progress.Breathe();
    FolderSearch search;
    search.path = std::wstring(chosenFolder);
    ScanFolders(search, directories, report);
    return directories;
}

std::vector<CollectedFile> CollectFiles(const std::vector<std::wstring>& directories, Progress& progress,
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
                report.unreachableLinks.push_back({JoinSystemPath(directories[j], item.name), item.error});
            } else if (item.kind == ItemKind::Unusable) {
                report.unusable.push_back({JoinSystemPath(directories[j], item.name), item.error});
            }
            return item.kind != ItemKind::File;
        });
        const auto fileCount = static_cast<std::int64_t>(names.size());
        if (fileCount > 0) {
            progress.SetTotal(ProgressBar::Items, fileCount);
            for (std::size_t k = 0; k < names.size(); ++k) {
                files.push_back({JoinSystemPath(directories[j], names[k].name), names[k].size});
                progress.SetItem({.source = files.back().path});
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

std::int64_t AddCollectedFiles(Workspace& workspace, std::wstring_view chosenFolder,
                               const std::vector<CollectedFile>& files) {
    workspace.Reserve(workspace.Count() + files.size());
    for (const CollectedFile& file : files) {
        workspace.AddFolderEntry(PathFromWide(file.path), RelativeStoredName(chosenFolder, file.path), file.length);
    }
    return static_cast<std::int64_t>(files.size());
}

FolderAdded AddFolder(Workspace& workspace, std::wstring_view chosenFolder, Progress& progress) {
    const ProgressShown shown(progress);
    FolderAdded added;
    const auto directories = CollectDirectories(chosenFolder, progress, added.report);
    const auto files = CollectFiles(directories, progress, added.report);
    added.files = AddCollectedFiles(workspace, chosenFolder, files);
    return added;
}

} // namespace quarrow
