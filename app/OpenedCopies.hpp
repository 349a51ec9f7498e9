#pragma once
// The copies of entries that the user has opened in their own programs, and what became of them: for
// each copy, the entry it was made of and the copy's size and last write when it was made (or last
// taken back), so that a change saved in the other program is noticed and can be taken back into the
// list.

#include "Workspace.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quarrow::app {

// Enough of a file's state to tell that a program has saved it since.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written{};
    bool operator==(const FileStamp&) const = default;
};

// The file's stamp now; none when it cannot be read (gone, or being replaced).
std::optional<FileStamp> StampOf(const std::filesystem::path& file);

struct OpenedCopy {
    std::filesystem::path archive; // the current archive of the list the entry was in
    std::wstring storedName;
    std::size_t position = 0; // where the entry was when the copy was made
    std::filesystem::path file;
    FileStamp stamp;
};

class OpenedCopies {
public:
    // Watches `copy` from its stamp on; an earlier copy of the same file is replaced.
    void Watch(OpenedCopy copy);
    // The watched copy of `file`, if any.
    const OpenedCopy* Find(const std::filesystem::path& file) const;

    // The copies whose file has changed since, in the order they were opened. A file that cannot be
    // read now (a program writing it anew) does not count as changed yet.
    std::vector<OpenedCopy> Changed() const;

    // The copy's file was taken back as it is now: watched from its present stamp on.
    void TakenBack(const std::filesystem::path& file);
    // Stops watching the copy of `file`.
    void Forget(const std::filesystem::path& file);

    std::size_t Count() const { return copies_.size(); }

private:
    std::vector<OpenedCopy> copies_;
};

// The row of `workspace` that `copy` was made of, if the list still holds it: the list is that of the
// same archive, and the row where the entry was, or else the first row of its stored name, bears it.
std::optional<std::size_t> RowOfCopy(const OpenedCopy& copy, const Workspace& workspace);

} // namespace quarrow::app
