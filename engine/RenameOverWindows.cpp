#include "TemporaryFile.hpp"

#include "FileFaults.hpp"

#include <windows.h>

namespace quarrow {

void RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
    CheckOperation(FileOperation::Replace, target);
    // An existing file is replaced so that it keeps its attributes, its security and its creation time.
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return;
        }
        throw FileError(FileOperation::Replace, target, {static_cast<int>(GetLastError()), std::system_category()});
    }
    if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        throw FileError(FileOperation::Replace, target, {static_cast<int>(GetLastError()), std::system_category()});
    }
}

} // namespace quarrow
