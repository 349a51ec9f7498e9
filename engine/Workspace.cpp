#include "Workspace.hpp"

#include "RemoveRowsAt.hpp"
#include "StoredName.hpp"
#include "SystemPath.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <stdexcept>

namespace quarrow {

const WorkspaceEntry& Workspace::Entry(std::size_t position) const {
    if (position < 1 || position > entries_.size()) {
        throw std::out_of_range("workspace position " + std::to_string(position) + " of " +
                                std::to_string(entries_.size()));
    }
    return entries_[position - 1];
}

std::wstring Workspace::MasterText(std::size_t position, int column) const {
    const WorkspaceEntry& entry = Entry(position);
    switch (column) {
    case 1: return entry.FromDisk() ? WideFromPath(entry.source) : entry.storedName;
    case 2: return DecimalText(entry.size);
    case 3: return entry.dataOffset ? DecimalText(*entry.dataOffset) : std::wstring();
    case 4: return entry.FromDisk() ? entry.storedName : GetPathHead(entry.storedName);
    default: throw std::out_of_range("master column " + std::to_string(column));
    }
}

std::wstring Workspace::VisibleText(std::size_t position, int column) const {
    const WorkspaceEntry& entry = Entry(position);
    switch (column) {
    case 1: return entry.FromDisk() ? SystemPathTail(WideFromPath(entry.source)) : GetPathTail(entry.storedName);
    case 2: return DecimalText(entry.size);
    case 3:
        switch (entry.origin) {
        case EntryOrigin::AddedFile: return SystemPathHead(WideFromPath(entry.source));
        case EntryOrigin::AddedFolder:
        case EntryOrigin::Archive: return GetPathHead(entry.storedName);
        }
        return {};
    default: throw std::out_of_range("visible column " + std::to_string(column));
    }
}

std::error_code Workspace::AddFileEntry(const std::filesystem::path& path) {
    std::error_code error;
    const auto length = std::filesystem::file_size(path, error);
    if (error) {
        return error;
    }
    WorkspaceEntry entry;
    entry.origin = EntryOrigin::AddedFile;
    entry.source = path;
    entry.storedName = StoredLevelText(path.filename());
    entry.size = static_cast<std::int64_t>(length);
    entries_.push_back(std::move(entry));
    return {};
}

void Workspace::AddFolderEntry(const std::filesystem::path& path, std::wstring storedName, std::uint64_t length) {
    WorkspaceEntry entry;
    entry.origin = EntryOrigin::AddedFolder;
    entry.source = path;
    entry.storedName = std::move(storedName);
    entry.size = static_cast<std::int64_t>(length);
    entries_.push_back(std::move(entry));
}

void Workspace::AddArchiveEntry(const SharedSourceArchive& archive, const PakEntry& record, DecodedName name) {
    WorkspaceEntry& entry = entries_.emplace_back();
    entry.origin = EntryOrigin::Archive;
    entry.archive = archive;
    entry.storedName = std::move(name.text);
    entry.nameField = record.name;
    entry.storedNameExact = name.exact;
    entry.size = record.size;
    entry.dataOffset = record.dataOffset;
}

void Workspace::AddArchiveEntry(std::wstring storedName, std::int64_t size, std::int64_t dataOffset, bool exactName) {
    WorkspaceEntry entry;
    entry.origin = EntryOrigin::Archive;
    entry.storedName = std::move(storedName);
    entry.storedNameExact = exactName;
    entry.size = size;
    entry.dataOffset = dataOffset;
    entries_.push_back(std::move(entry));
}

std::error_code Workspace::ReplaceEntryData(std::size_t position, const std::filesystem::path& file) {
    Entry(position); // range check
    std::error_code error;
    const auto length = std::filesystem::file_size(file, error);
    if (error) {
        return error;
    }
    WorkspaceEntry& entry = entries_[position - 1];
    entry.source = file;
    entry.archive.reset();
    entry.size = static_cast<std::int64_t>(length);
    entry.dataOffset.reset();
    return {};
}

void Workspace::Append(Workspace&& other) {
    if (entries_.empty()) {
        entries_ = std::move(other.entries_);
    } else {
        entries_.insert(entries_.end(), std::make_move_iterator(other.entries_.begin()),
                        std::make_move_iterator(other.entries_.end()));
    }
    other.entries_.clear();
}

void Workspace::Clear() { entries_.clear(); }

void Workspace::RemoveSelectedEntries(std::span<const std::size_t> positions) { RemoveRowsAt(entries_, positions); }

void Workspace::SetDataOffset(std::size_t position, std::int64_t offset) {
    Entry(position); // range check
    entries_[position - 1].dataOffset = offset;
}

void Workspace::MoveIntoArchive(std::size_t position, const SharedSourceArchive& archive, std::int64_t offset) {
    Entry(position); // range check
    WorkspaceEntry& entry = entries_[position - 1];
    entry.archive = archive;
    entry.dataOffset = offset;
}

} // namespace quarrow
