#include "TemporaryFile.hpp"

#include "FileFaults.hpp"

#include <windows.h>

namespace quarrow {

void RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
    CheckOperation(FileOperation::Replace, target);
    if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw FileError(FileOperation::Replace, target, {static_cast<int>(GetLastError()), std::system_category()});
    }
}

} // namespace quarrow
