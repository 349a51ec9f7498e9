#include "DirectoryListing.hpp"

#include "SystemPath.hpp"

#include <windows.h>

#include <cstddef>

namespace quarrow {

namespace {

class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    ~UniqueHandle() {
        if (Valid()) {
            CloseHandle(handle_);
        }
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Records of about a thousand names per call.
constexpr std::size_t kListingBufferBytes = 64 * 1024;

std::uint64_t Combine(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

// What a symbolic link or junction leads to, opened as any program opens it; the system's reason when
// that cannot be done.
bool Follow(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& target, std::error_code& error) {
    // Backup semantics let a folder be opened as well as a file; nothing is read.
    const UniqueHandle opened(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!opened.Valid() || !GetFileInformationByHandle(opened.Get(), &target)) {
        error = LastError();
        return false;
    }
    return true;
}

} // namespace

std::filesystem::path ListedFolder(const std::filesystem::path& directory) {
    const std::wstring& path = directory.native();
    return path.empty() || path.back() == L':' ? std::filesystem::path(path + L'\\') : directory;
}

DirectoryListing ListDirectory(const std::filesystem::path& directory, ListingScope scope) {
    DirectoryListing listing;
    const std::wstring path = ListedFolder(directory).native();
    // The folder is read through a handle of its own, which also tells which physical folder it is.
    const UniqueHandle handle(CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION self{};
    if (!handle.Valid() || !GetFileInformationByHandle(handle.Get(), &self)) {
        listing.error = LastError();
        return listing;
    }
    listing.identity = FolderIdentity{self.dwVolumeSerialNumber, Combine(self.nFileIndexHigh, self.nFileIndexLow)};

    std::vector<DirectoryItem>& items = listing.items;
    std::vector<std::uint64_t> buffer(kListingBufferBytes / sizeof(std::uint64_t)); // aligned for the records
    while (GetFileInformationByHandleEx(handle.Get(), FileIdBothDirectoryInfo, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof(std::uint64_t)))) {
        const auto* bytes = reinterpret_cast<const std::byte*>(buffer.data());
        for (;;) {
            const auto* record = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
            const std::wstring_view name(record->FileName, record->FileNameLength / sizeof(wchar_t));
            DWORD attributes = record->FileAttributes;
            std::uint64_t size = static_cast<std::uint64_t>(record->EndOfFile.QuadPart);
            const bool folder = attributes & FILE_ATTRIBUTE_DIRECTORY;
            const bool hiddenFile = !folder && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
            const bool wanted = folder || (scope == ListingScope::Everything && !hiddenFile);
            if (name != L"." && name != L".." && wanted) {
                bool reachable = true;
                // A link's own entry says nothing of its target: a linked file shows the length 0.
                if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                    BY_HANDLE_FILE_INFORMATION target{};
                    std::error_code error;
                    reachable = Follow(JoinLevel(path, std::wstring(name)).native(), target, error);
                    if (reachable) {
                        attributes = target.dwFileAttributes;
                        size = Combine(target.nFileSizeHigh, target.nFileSizeLow);
                    } else if (scope == ListingScope::Everything) {
                        items.push_back({std::wstring(name), ItemKind::UnreachableLink, 0, error});
                    }
                }
                if (reachable && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    items.push_back({std::wstring(name), ItemKind::Directory, 0, {}});
                } else if (reachable && scope == ListingScope::Everything) {
                    items.push_back({std::wstring(name), ItemKind::File, size, {}});
                }
            }
            if (record->NextEntryOffset == 0) {
                break;
            }
            bytes += record->NextEntryOffset;
        }
    }
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        listing.error = LastError();
    }
    return listing;
}

} // namespace quarrow
