#include "TemporaryFile.hpp"

#include "DirectoryListing.hpp"
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

} // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path& target) : target_(target) {
    const std::wstring base = WideFromPath(target.filename());
    for (int attempt = 0;; ++attempt) {
        path_ = target.parent_path() / PathFromWide(base + std::wstring(kTemporaryMarker) + RandomSuffix());
        if (auto created = File::TryCreateNew(path_)) {
            file_ = std::move(*created);
            file_.TryLockExclusive();
            return;
        }
        if (attempt == 16) {
            throw FileError(FileOperation::Create, path_, std::make_error_code(std::errc::file_exists));
        }
    }
}

TemporaryFile::~TemporaryFile() {
    if (!committed_) {
        file_ = File();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
}

void TemporaryFile::Commit(bool durable) {
    if (durable) {
        file_.Flush();
    }
#ifdef _WIN32
    // Windows renames only files that nobody holds open.
    file_.Close();
    RenameOver(path_, target_);
#else
    // Renamed while still locked, so that no other run mistakes it for a leftover meanwhile.
    RenameOver(path_, target_);
    file_.Close();
#endif
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

void RemoveAbandonedTemporaryFiles(const std::filesystem::path& folder) {
    const std::wstring folderText = WideFromPath(folder.empty() ? std::filesystem::path(".") : folder);
    for (const DirectoryItem& item : ListDirectory(folderText).items) {
        if (item.kind != ItemKind::File || !IsTemporaryFileName(item.name)) {
            continue;
        }
        const auto path = PathFromWide(folderText) / PathFromWide(item.name);
        std::error_code ignored;
#ifdef _WIN32
        // A live run holds its file open without sharing: removing it then fails, as it should.
        std::filesystem::remove(path, ignored);
#else
        try {
            File candidate = File::Open(path, File::Mode::ReadWrite);
            if (candidate.TryLockExclusive()) {
                std::filesystem::remove(path, ignored);
            }
        } catch (const FileError&) {
            // Gone or not ours to touch.
        }
#endif
    }
}

} // namespace quarrow
