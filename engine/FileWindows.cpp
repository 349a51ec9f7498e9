#include "File.hpp"

#include "FileFaults.hpp"

#include <windows.h>

#include <algorithm>

namespace quarrow {

namespace {

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

DWORD Disposition(File::Mode mode) {
    switch (mode) {
    case File::Mode::Read:
    case File::Mode::ReadWrite: return OPEN_EXISTING;
    case File::Mode::OpenOrCreate: return OPEN_ALWAYS;
    case File::Mode::CreateAlways: return CREATE_ALWAYS;
    case File::Mode::CreateNew: return CREATE_NEW;
    }
    return OPEN_EXISTING;
}

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED overlapped{};
    overlapped.Offset = static_cast<DWORD>(offset);
    overlapped.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return overlapped;
}

constexpr std::size_t kMaxChunk = 1u << 30;

std::size_t ReadUpTo(HANDLE handle, const std::filesystem::path& path, std::uint64_t offset, char* bytes,
                     std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxChunk));
        OVERLAPPED at = At(offset + done);
        DWORD read = 0;
        if (!ReadFile(handle, bytes + done, chunk, &read, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                break;
            }
            throw FileError(FileOperation::Read, path, LastError());
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    return done;
}

void WriteAll(HANDLE handle, const std::filesystem::path& path, std::uint64_t offset, const char* bytes,
              std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxChunk));
        OVERLAPPED at = At(offset + done);
        DWORD written = 0;
        if (!WriteFile(handle, bytes + done, chunk, &written, &at)) {
            throw FileError(FileOperation::Write, path, LastError());
        }
        if (written == 0) {
            throw FileError(FileOperation::Write, path, std::make_error_code(std::errc::no_space_on_device));
        }
        done += written;
    }
}

} // namespace

File File::Open(const std::filesystem::path& path, Mode mode) {
    if (FileFaults* faults = InstalledFileFaults()) {
        faults->BeforeOpen(path, mode);
    }
    File file;
    file.path_ = path;
    const DWORD access = mode == Mode::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    // Readers let others read along; writers keep the file to themselves while they work.
    const DWORD share = mode == Mode::Read ? FILE_SHARE_READ : 0;
    HANDLE handle =
        CreateFileW(path.c_str(), access, share, nullptr, Disposition(mode), FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw FileError(mode == Mode::Read || mode == Mode::ReadWrite ? FileOperation::Open : FileOperation::Create,
                        path, LastError());
    }
    file.handle_ = handle;
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        throw FileError(FileOperation::Open, path, NotARegularFile());
    }
    return file;
}

std::optional<File> File::TryCreateNew(const std::filesystem::path& path) {
    if (FileFaults* faults = InstalledFileFaults()) {
        faults->BeforeOpen(path, Mode::CreateNew);
    }
    File file;
    file.path_ = path;
    // With the right to delete it, which TryRemoveWhenClosed needs.
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
        throw FileError(FileOperation::Create, path, {static_cast<int>(error), std::system_category()});
    }
    file.handle_ = handle;
    return file;
}

// Windows gives every file a name; an unnamed one is what other systems have.
std::optional<File> File::TryCreateUnnamed(const std::filesystem::path&) { return std::nullopt; }

bool File::TryLinkAs(const std::filesystem::path&) { return false; }

std::filesystem::path File::HandlePath() const { return {}; }

// A disposition rather than FILE_FLAG_DELETE_ON_CLOSE, which nothing takes back. While it is set,
// every other open of the file fails as a file being deleted does, and the system removes the file as
// the last handle closes, even the handles of a process that was terminated.
bool File::TryRemoveWhenClosed() {
    FILE_DISPOSITION_INFO remove{};
    remove.DeleteFile = TRUE;
    return SetFileInformationByHandle(AsHandle(handle_), FileDispositionInfo, &remove, sizeof remove) != 0;
}

void File::KeepWhenClosed() {
    FILE_DISPOSITION_INFO keep{};
    keep.DeleteFile = FALSE;
    if (!SetFileInformationByHandle(AsHandle(handle_), FileDispositionInfo, &keep, sizeof keep)) {
        throw FileError(FileOperation::Replace, path_, LastError());
    }
}

namespace {

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info, DWORD type) {
    FileIdentity identity;
    identity.kind = type != FILE_TYPE_DISK                               ? FileIdentity::Kind::Other
                    : (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileIdentity::Kind::Folder
                                                                         : FileIdentity::Kind::File;
    identity.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime);
    identity.device = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.links = info.nNumberOfLinks;
    identity.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return identity;
}

std::optional<FileIdentity> IdentityOfHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        return std::nullopt;
    }
    return IdentityOf(info, GetFileType(handle));
}

} // namespace

std::optional<FileIdentity> File::IdentityAt(const std::filesystem::path& path) {
    // Opened for its attributes only, sharing everything, so that nobody's use of it is disturbed.
    HANDLE handle =
        CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return std::nullopt;
        }
        throw FileError(FileOperation::Open, path, {static_cast<int>(error), std::system_category()});
    }
    auto identity = IdentityOfHandle(handle);
    const std::error_code error = LastError();
    CloseHandle(handle);
    if (!identity) {
        throw FileError(FileOperation::Open, path, error);
    }
    return identity;
}

FileIdentity File::Identity() const {
    auto identity = IdentityOfHandle(AsHandle(handle_));
    if (!identity) {
        throw FileError(FileOperation::Size, path_, LastError());
    }
    return *identity;
}

// ReplaceFileW gives the new file the old one's attributes, security and creation time.
void File::TakeAccessOf(const FileIdentity&) {}

File::~File() { Release(); }

File::File(File&& other) noexcept : path_(std::move(other.path_)), handle_(other.handle_) { other.handle_ = nullptr; }

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Release();
        path_ = std::move(other.path_);
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

std::uint64_t File::Size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(handle_), &size)) {
        throw FileError(FileOperation::Size, path_, LastError());
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t File::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    const TransferAllowance allowance = AllowTransfer(FileOperation::Read, path_, offset, count);
    const std::size_t done = ReadUpTo(AsHandle(handle_), path_, offset, static_cast<char*>(buffer), allowance.allowed);
    if (allowance.allowed < count && allowance.failure) {
        throw FileError(FileOperation::Read, path_, allowance.failure);
    }
    return done;
}

void File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t count) {
    const TransferAllowance allowance = AllowTransfer(FileOperation::Write, path_, offset, count);
    WriteAll(AsHandle(handle_), path_, offset, static_cast<const char*>(buffer), allowance.allowed);
    if (allowance.allowed < count) {
        throw FileError(FileOperation::Write, path_,
                        allowance.failure ? allowance.failure : std::make_error_code(std::errc::io_error));
    }
}

// Windows copies whole files inside the system, never a range of one into another.
std::uint64_t File::CopyWithinSystem(const File&, std::uint64_t, std::uint64_t, std::uint64_t) { return 0; }

void File::Truncate(std::uint64_t size) {
    CheckOperation(FileOperation::Truncate, path_);
    FILE_END_OF_FILE_INFO info{};
    info.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFileInformationByHandle(AsHandle(handle_), FileEndOfFileInfo, &info, sizeof info)) {
        throw FileError(FileOperation::Truncate, path_, LastError());
    }
}

// Windows allocates as the writes come; setting the allocation size ahead has not been measured.
void File::Reserve(std::uint64_t) noexcept {}

void File::Flush() {
    CheckOperation(FileOperation::Flush, path_);
    if (!FlushFileBuffers(AsHandle(handle_))) {
        throw FileError(FileOperation::Flush, path_, LastError());
    }
}

void File::StartWriteBack(std::uint64_t, std::uint64_t) noexcept {}

void File::Close() {
    if (handle_ == nullptr) {
        return;
    }
    HANDLE handle = AsHandle(handle_);
    handle_ = nullptr;
    const bool closed = CloseHandle(handle) != 0;
    const std::error_code error = LastError();
    CheckOperation(FileOperation::Close, path_); // after the real close: a failing close still closes
    if (!closed) {
        throw FileError(FileOperation::Close, path_, error);
    }
}

bool File::TryLockExclusive() {
    // A lock on a range far behind any archive's end: it stops no read or write of the file's bytes,
    // only another run's lock.
    OVERLAPPED at = At(0xFFFFFFFF00000000ull);
    return LockFileEx(AsHandle(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

void File::Release() noexcept {
    if (handle_ != nullptr) {
        CloseHandle(AsHandle(handle_));
        handle_ = nullptr;
    }
}

} // namespace quarrow
