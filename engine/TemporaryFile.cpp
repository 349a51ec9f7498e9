#include "TemporaryFile.hpp"

#include "Text.hpp"

#include <random>
#include <system_error>

namespace quarrow {

namespace {

std::wstring RandomSuffix() {
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    std::random_device device;
    std::uint64_t bits = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    std::wstring text;
    for (int i = 0; i < 16; ++i) {
        text.push_back(kDigits[bits & 15]);
        bits >>= 4;
    }
    return text;
}

bool IsHexDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'); }

// The target's own name as the system gave it, then the marker and the suffix, which are ASCII.
std::filesystem::path TemporaryName(const std::filesystem::path& target) {
    std::filesystem::path name = target;
    name += PathFromWide(std::wstring(kTemporaryMarker) + RandomSuffix());
    return name;
}

} // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path& target) : target_(target) {
    const std::filesystem::path folder = target.parent_path();
    try {
        if (auto unnamed = File::TryCreateUnnamed(folder)) {
            file_ = std::move(*unnamed);
            return;
        }
        for (int attempt = 0; attempt <= 16; ++attempt) {
            const auto path = TemporaryName(target);
            if (auto created = File::TryCreateNew(path)) {
                file_ = std::move(*created);
                path_ = path;
                file_.TryLockExclusive();
                removedWhenClosed_ = file_.TryRemoveWhenClosed();
                return;
            }
        }
    } catch (const FileError& error) {
        throw FileError(FileOperation::Create, folder.empty() ? std::filesystem::path(".") : folder, error.Code());
    }
    throw FileError(FileOperation::Create, folder, std::make_error_code(std::errc::file_exists));
}

TemporaryFile::~TemporaryFile() {
    if (!committed_ && !path_.empty()) {
        file_ = File();
        if (removedWhenClosed_) {
            return; // the system removed it with the handle; the name may already be another's
        }
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

void TemporaryFile::Name() {
    for (int attempt = 0; attempt <= 16; ++attempt) {
        const auto path = TemporaryName(target_);
        if (file_.TryLinkAs(path)) {
            path_ = path;
            return;
        }
    }
    throw FileError(FileOperation::Create, target_.parent_path(), std::make_error_code(std::errc::file_exists));
}

void TemporaryFile::Commit(bool durable) {
    if (durable) {
        file_.Flush();
    }
    if (path_.empty()) {
        Name(); // a rename needs a name to move
    }
    // Only now, after the flush, however long that took: from here to the rename a run that is killed
    // leaves the file behind under its name.
    if (removedWhenClosed_) {
        try {
            file_.KeepWhenClosed();
        } catch (const FileError& error) {
            throw FileError(FileOperation::Replace, target_, error.Code());
        }
        removedWhenClosed_ = false;
    }
    // Closed first: a failure to close may mean data that never reached the disk, and Windows renames
    // only files that nobody holds open.
    file_.Close();
    RenameOver(path_, target_);
    committed_ = true;
}

bool IsTemporaryFileName(std::wstring_view name) {
    const auto at = name.rfind(kTemporaryMarker);
    if (at == std::wstring_view::npos || at == 0) {
        return false;
    }
    const auto suffix = name.substr(at + kTemporaryMarker.size());
    if (suffix.size() != 16) {
        return false;
    }
    for (const wchar_t c : suffix) {
        if (!IsHexDigit(c)) {
            return false;
        }
    }
    return true;
}

} // namespace quarrow
