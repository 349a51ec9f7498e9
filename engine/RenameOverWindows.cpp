#include "TemporaryFile.hpp"

#include "FileFaults.hpp"

#include <windows.h>

namespace quarrow {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& target) {
    throw FileError(FileOperation::Replace, target, {static_cast<int>(GetLastError()), std::system_category()});
}

} // namespace

void RenameOver(const std::filesystem::path& source, const std::filesystem::path& target) {
    CheckOperation(FileOperation::Replace, target);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        // Nothing there, or a folder, which no file replaces: the move fails then, and leaves it.
        if (!MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            Fail(target);
        }
        return;
    }
    // A file that another program holds is left alone before anything moves; the replacement could
    // otherwise stop halfway and leave a file of its own beside it.
    HANDLE probe = CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        Fail(target);
    }
    CloseHandle(probe);
    // Replaced so that it keeps its attributes, its security and its creation time. Full paths: the
    // replacement works in the folder of the file it replaces, which a bare name does not give.
    std::error_code ignored;
    const auto fullTarget = std::filesystem::absolute(target, ignored);
    const auto fullSource = std::filesystem::absolute(source, ignored);
    if (!ReplaceFileW(fullTarget.c_str(), fullSource.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr)) {
        Fail(target);
    }
}

} // namespace quarrow
