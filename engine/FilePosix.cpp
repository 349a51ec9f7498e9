#include "File.hpp"

#include "FileFaults.hpp"
#include "SystemCopy.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarrow {

namespace {

std::error_code LastError() { return {errno, std::system_category()}; }

int OpenFlags(File::Mode mode) {
    switch (mode) {
    case File::Mode::Read: return O_RDONLY;
    case File::Mode::ReadWrite: return O_RDWR;
    case File::Mode::OpenOrCreate: return O_RDWR | O_CREAT;
    case File::Mode::CreateAlways: return O_RDWR | O_CREAT | O_TRUNC;
    case File::Mode::CreateNew: return O_RDWR | O_CREAT | O_EXCL;
    }
    return O_RDONLY;
}

std::size_t ReadUpTo(int descriptor, const std::filesystem::path& path, std::uint64_t offset, char* bytes,
                     std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(descriptor, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(FileOperation::Read, path, LastError());
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void WriteAll(int descriptor, const std::filesystem::path& path, std::uint64_t offset, const char* bytes,
              std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pwrite(descriptor, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError(FileOperation::Write, path, LastError());
        }
        if (n == 0) {
            throw FileError(FileOperation::Write, path, std::make_error_code(std::errc::no_space_on_device));
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

File File::Open(const std::filesystem::path& path, Mode mode) {
    if (FileFaults* faults = InstalledFileFaults()) {
        faults->BeforeOpen(path, mode);
    }
    File file;
    file.path_ = path;
    do {
        file.descriptor_ = ::open(path.c_str(), OpenFlags(mode) | O_CLOEXEC | O_NONBLOCK, 0666);
    } while (file.descriptor_ < 0 && errno == EINTR);
    if (file.descriptor_ < 0) {
        throw FileError(mode == Mode::Read || mode == Mode::ReadWrite ? FileOperation::Open : FileOperation::Create,
                        path, LastError());
    }
    struct stat info {};
    if (::fstat(file.descriptor_, &info) == 0 && S_ISDIR(info.st_mode)) {
        throw FileError(FileOperation::Open, path, std::make_error_code(std::errc::is_a_directory));
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError(FileOperation::Open, path, NotARegularFile());
    }
    // Opened without waiting for a pipe's other end; a regular file never waits anyway.
    ::fcntl(file.descriptor_, F_SETFL, ::fcntl(file.descriptor_, F_GETFL) & ~O_NONBLOCK);
    return file;
}

std::optional<File> File::TryCreateNew(const std::filesystem::path& path) {
    if (FileFaults* faults = InstalledFileFaults()) {
        faults->BeforeOpen(path, Mode::CreateNew);
    }
    File file;
    file.path_ = path;
    do {
        file.descriptor_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    } while (file.descriptor_ < 0 && errno == EINTR);
    if (file.descriptor_ < 0) {
        if (errno == EEXIST) {
            return std::nullopt;
        }
        throw FileError(FileOperation::Create, path, LastError());
    }
    return file;
}

std::optional<File> File::TryCreateUnnamed(const std::filesystem::path& folder) {
#if defined(O_TMPFILE) && !defined(QUARROW_FAULT_INJECTION)
    File file;
    file.path_ = folder;
    do {
        file.descriptor_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDWR | O_TMPFILE | O_CLOEXEC, 0666);
    } while (file.descriptor_ < 0 && errno == EINTR);
    if (file.descriptor_ >= 0) {
        return file;
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        throw FileError(FileOperation::Create, folder, LastError());
    }
#else
    // The engine built for fault injection names its files, so that the tests see what a run leaves.
    (void)folder;
#endif
    return std::nullopt;
}

std::filesystem::path File::HandlePath() const {
#ifdef __linux__
    if (descriptor_ >= 0) {
        return "/proc/self/fd/" + std::to_string(descriptor_);
    }
#endif
    return {};
}

// Unnamed files give what a file removed with its last handle would, and more.
bool File::TryRemoveWhenClosed() { return false; }

void File::KeepWhenClosed() {}

bool File::TryLinkAs(const std::filesystem::path& path) {
    CheckOperation(FileOperation::Create, path);
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        path_ = path;
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    throw FileError(FileOperation::Create, path, LastError());
}

namespace {

FileIdentity IdentityOf(const struct stat& info) {
    FileIdentity identity;
    identity.kind = S_ISREG(info.st_mode)   ? FileIdentity::Kind::File
                    : S_ISDIR(info.st_mode) ? FileIdentity::Kind::Folder
                                            : FileIdentity::Kind::Other;
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.index = static_cast<std::uint64_t>(info.st_ino);
    identity.links = static_cast<std::uint64_t>(info.st_nlink);
    identity.readOnly = (info.st_mode & 0222) == 0;
    identity.mode = static_cast<std::uint32_t>(info.st_mode & 07777);
    identity.owner = static_cast<std::uint32_t>(info.st_uid);
    identity.group = static_cast<std::uint32_t>(info.st_gid);
    return identity;
}

} // namespace

std::optional<FileIdentity> File::IdentityAt(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throw FileError(FileOperation::Open, path, LastError());
    }
    FileIdentity identity = IdentityOf(info);
    // Permission bits allow writing, yet this user may not.
    identity.readOnly = identity.readOnly || ::access(path.c_str(), W_OK) != 0;
    return identity;
}

FileIdentity File::Identity() const {
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) {
        throw FileError(FileOperation::Size, path_, LastError());
    }
    return IdentityOf(info);
}

void File::TakeAccessOf(const FileIdentity& original) {
    // Only a privileged user may give a file away; everyone else keeps the owner they are.
    if (::fchown(descriptor_, original.owner, original.group) != 0 && errno != EPERM) {
        throw FileError(FileOperation::Create, path_, LastError());
    }
    // After the owner, whose change clears the set-user and set-group bits.
    if (::fchmod(descriptor_, static_cast<mode_t>(original.mode)) != 0) {
        throw FileError(FileOperation::Create, path_, LastError());
    }
}

File::~File() { Release(); }

File::File(File&& other) noexcept : path_(std::move(other.path_)), descriptor_(other.descriptor_) {
    other.descriptor_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Release();
        path_ = std::move(other.path_);
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
    }
    return *this;
}

std::uint64_t File::Size() const {
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) {
        throw FileError(FileOperation::Size, path_, LastError());
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::size_t File::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    const TransferAllowance allowance = AllowTransfer(FileOperation::Read, path_, offset, count);
    const std::size_t done = ReadUpTo(descriptor_, path_, offset, static_cast<char*>(buffer), allowance.allowed);
    if (allowance.allowed < count && allowance.failure) {
        throw FileError(FileOperation::Read, path_, allowance.failure);
    }
    return done;
}

void File::WriteAt(std::uint64_t offset, const void* buffer, std::size_t count) {
    const TransferAllowance allowance = AllowTransfer(FileOperation::Write, path_, offset, count);
    WriteAll(descriptor_, path_, offset, static_cast<const char*>(buffer), allowance.allowed);
    if (allowance.allowed < count) {
        throw FileError(FileOperation::Write, path_,
                        allowance.failure ? allowance.failure : std::make_error_code(std::errc::io_error));
    }
}

std::uint64_t File::CopyWithinSystem(const File& source, std::uint64_t from, std::uint64_t to, std::uint64_t count) {
#ifndef QUARROW_FAULT_INJECTION
    return CopyInsideSystem(source.descriptor_, from, descriptor_, to, count);
#else
    (void)source;
    (void)from;
    (void)to;
    (void)count;
    return 0;
#endif
}

void File::Truncate(std::uint64_t size) {
    CheckOperation(FileOperation::Truncate, path_);
    if (::ftruncate(descriptor_, static_cast<off_t>(size)) != 0) {
        throw FileError(FileOperation::Truncate, path_, LastError());
    }
}

void File::Reserve(std::uint64_t size) noexcept {
#ifdef __linux__
    ::fallocate(descriptor_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size));
#else
    (void)size;
#endif
}

void File::Flush() {
    CheckOperation(FileOperation::Flush, path_);
    if (::fsync(descriptor_) != 0) {
        throw FileError(FileOperation::Flush, path_, LastError());
    }
}

void File::StartWriteBack(std::uint64_t offset, std::uint64_t count) noexcept {
#ifdef __linux__
    ::sync_file_range(descriptor_, static_cast<off_t>(offset), static_cast<off_t>(count), SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)count;
#endif
}

void File::Close() {
    if (descriptor_ < 0) {
        return;
    }
    const int descriptor = descriptor_;
    descriptor_ = -1;
    const bool closed = ::close(descriptor) == 0 || errno == EINTR;
    const std::error_code error = LastError();
    CheckOperation(FileOperation::Close, path_); // after the real close: a failing close still closes
    if (!closed) {
        throw FileError(FileOperation::Close, path_, error);
    }
}

bool File::TryLockExclusive() {
    int result = 0;
    do {
        result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

void File::Release() noexcept {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

} // namespace quarrow
