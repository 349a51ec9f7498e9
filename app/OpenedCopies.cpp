#include "OpenedCopies.hpp"

#include <algorithm>
#include <system_error>

namespace quarrow::app {

namespace fs = std::filesystem;

std::optional<FileStamp> StampOf(const fs::path& file) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error) {
        return std::nullopt;
    }
    const fs::file_time_type written = fs::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return FileStamp{size, written};
}

void OpenedCopies::Watch(OpenedCopy copy) {
    Forget(copy.file);
    copies_.push_back(std::move(copy));
}

const OpenedCopy* OpenedCopies::Find(const fs::path& file) const {
    const auto found =
        std::find_if(copies_.begin(), copies_.end(), [&](const OpenedCopy& c) { return c.file == file; });
    return found != copies_.end() ? &*found : nullptr;
}

std::vector<OpenedCopy> OpenedCopies::Changed() const {
    std::vector<OpenedCopy> changed;
    for (const OpenedCopy& copy : copies_) {
        if (const auto now = StampOf(copy.file); now && *now != copy.stamp) {
            changed.push_back(copy);
        }
    }
    return changed;
}

void OpenedCopies::TakenBack(const fs::path& file) {
    for (OpenedCopy& copy : copies_) {
        if (copy.file == file) {
            if (const auto now = StampOf(file)) {
                copy.stamp = *now;
            }
        }
    }
}

void OpenedCopies::Forget(const fs::path& file) {
    std::erase_if(copies_, [&](const OpenedCopy& copy) { return copy.file == file; });
}

std::optional<std::size_t> RowOfCopy(const OpenedCopy& copy, const Workspace& workspace) {
    if (workspace.ArchivePath() != copy.archive) {
        return std::nullopt;
    }
    if (copy.position >= 1 && copy.position <= workspace.Count() &&
        workspace.Entry(copy.position).storedName == copy.storedName) {
        return copy.position;
    }
    // Rows deleted in front of it moved it up.
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        if (workspace.Entry(position).storedName == copy.storedName) {
            return position;
        }
    }
    return std::nullopt;
}

} // namespace quarrow::app
