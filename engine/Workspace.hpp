#pragma once
// The workspace: the entries the main window lists, either files from disk waiting to be packed or the
// entries of an opened archive. One typed record per entry stands for a row of the visible list
// (lstFile) and the same row of the master list (lsFile); the cell texts of both are derived from it,
// so the two lists can never differ. Positions are 1-based, as in the list views.

#include "PakFormat.hpp"
#include "SourceArchive.hpp"
#include "StoredName.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace quarrow {

enum class EntryOrigin {
    AddedFile,   // Add file: one file picked on its own
    AddedFolder, // Add folder: a file found under a chosen folder
    Archive,     // an index entry of an opened archive
};

// Where an entry's bytes are: a file on disk (`source`), or the range of an archive that begins at
// `dataOffset` (`archive`). An entry read from an archive whose data was then replaced by a file keeps
// its origin and its name, and takes its bytes from the file.
struct WorkspaceEntry {
    EntryOrigin origin = EntryOrigin::AddedFile;
    std::filesystem::path source; // the file on disk that holds the bytes; empty when an archive does
    SharedSourceArchive archive;  // the archive that holds the bytes at dataOffset; empty for files
    // The name inside the archive: the name to store for files from disk, the stored name as read for
    // archive entries.
    std::wstring storedName;
    // The name field exactly as an archive held it, written back unchanged: a name that does not decode
    // exactly, and whatever follows its terminator, survive a rewrite byte for byte.
    std::optional<NameField> nameField;
    bool storedNameExact = true; // false when an archive's name bytes did not decode exactly
    std::int64_t size = 0;
    std::optional<std::int64_t> dataOffset; // from the index, or assigned by a successful pack

    bool FromDisk() const { return origin != EntryOrigin::Archive; }
};

class Workspace {
public:
    std::size_t Count() const { return entries_.size(); }
    const WorkspaceEntry& Entry(std::size_t position) const;

    // Cell texts. Master columns 1 to 4: source path or stored name, size, data offset, name to store
    // or directory part of the stored name. Visible columns 1 to 3: file name, size, directory.
    std::wstring MasterText(std::size_t position, int column) const;
    std::wstring VisibleText(std::size_t position, int column) const;

    // Add file: the file's length is read now. When it cannot be, nothing is added and the reason is
    // returned.
    [[nodiscard]] std::error_code AddFileEntry(const std::filesystem::path& path);
    // Add folder: a file found by the folder scan, its name relative to the chosen folder and its length
    // as the scan found it.
    void AddFolderEntry(const std::filesystem::path& path, std::wstring storedName, std::uint64_t length);
    // An index entry of `archive`, its name already decoded.
    void AddArchiveEntry(const SharedSourceArchive& archive, const PakEntry& record, DecodedName name);
    // An index entry known only by its name, size and offset: its bytes can be extracted from the
    // archive it is extracted from, but it cannot be packed.
    void AddArchiveEntry(std::wstring storedName, std::int64_t size, std::int64_t dataOffset, bool exactName = true);

    // The entry takes its bytes from `file`, at the file's present length, and keeps its name (the name
    // field as read included), origin and position. When the length cannot be read nothing changes and
    // the reason is returned.
    [[nodiscard]] std::error_code ReplaceEntryData(std::size_t position, const std::filesystem::path& file);

    // Moves every entry of `other` behind the entries here, in their order.
    void Append(Workspace&& other);

    void Clear();
    void Reserve(std::size_t count) { entries_.reserve(count); }

    // Removes the rows at the given positions, which are ascending, as removing row p - k for the k-th
    // of them would. Throws std::invalid_argument for positions out of range or out of order.
    void RemoveSelectedEntries(std::span<const std::size_t> positions);

    void SetDataOffset(std::size_t position, std::int64_t offset);
    // After a pack: the entry's bytes now lie in `archive` at `offset`.
    void MoveIntoArchive(std::size_t position, const SharedSourceArchive& archive, std::int64_t offset);

    // The current archive (txtPAKName): the one last opened or packed; empty otherwise.
    const std::filesystem::path& ArchivePath() const { return archivePath_; }
    void SetArchivePath(std::filesystem::path path) { archivePath_ = std::move(path); }

private:
    std::vector<WorkspaceEntry> entries_;
    std::filesystem::path archivePath_;
};

} // namespace quarrow
