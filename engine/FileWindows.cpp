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
    return file;
}

std::optional<File> File::TryCreateNew(const std::filesystem::path& path) {
    if (FileFaults* faults = InstalledFileFaults()) {
        faults->BeforeOpen(path, Mode::CreateNew);
    }
    File file;
    file.path_ = path;
    HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

void File::Flush() {
    CheckOperation(FileOperation::Flush, path_);
    if (!FlushFileBuffers(AsHandle(handle_))) {
        throw FileError(FileOperation::Flush, path_, LastError());
    }
}

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

bool File::TryLockExclusive() { return handle_ != nullptr; }

void File::Release() noexcept {
    if (handle_ != nullptr) {
        CloseHandle(AsHandle(handle_));
        handle_ = nullptr;
    }
}

} // namespace quarrow
