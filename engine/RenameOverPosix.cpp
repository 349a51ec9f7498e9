#include "TemporaryFile.hpp"

#include "FileFaults.hpp"

#include <cerrno>
#include <cstdio>

namespace quarrow {

void RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
    CheckOperation(FileOperation::Replace, target);
    if (std::rename(source.c_str(), target.c_str()) != 0) {
        throw FileError(FileOperation::Replace, target, {errno, std::system_category()});
    }
}

} // namespace quarrow
