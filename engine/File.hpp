#pragma once
// A file opened for one step of an operation, read and written at explicit offsets. Every failure is
// a FileError that names the file, what was being done and the system's reason. Every byte the engine
// reads or writes passes through ReadAt and WriteAt, so that faults can be injected in one place.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace quarrow {

enum class FileOperation { Open, Create, Read, Write, Size, Truncate, Flush, Close, Replace };

class FileError : public std::runtime_error {
public:
    FileError(FileOperation operation, std::filesystem::path path, std::error_code code);

    FileOperation Operation() const { return operation_; }
    const std::filesystem::path& Path() const { return path_; }
    std::error_code Code() const { return code_; }

private:
    FileOperation operation_;
    std::filesystem::path path_;
    std::error_code code_;
};

class File {
public:
    enum class Mode {
        Read,         // existing file, read only
        ReadWrite,    // existing file, read and write, nothing truncated
        OpenOrCreate, // read and write; created empty when missing; nothing truncated
        CreateAlways, // read and write; created, or emptied when it exists
        CreateNew,    // read and write; fails when the file exists
    };

    File() = default;
    static File Open(const std::filesystem::path& path, Mode mode);
    // Creates the file for reading and writing when nothing exists under its name; empty when
    // something does (a file, a directory or a link, which is never followed).
    static std::optional<File> TryCreateNew(const std::filesystem::path& path);
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    std::uint64_t Size() const;
    // Reads up to `count` bytes; fewer only at the end of the file.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;
    // Writes all `count` bytes. Writing past the end extends the file, the gap reading as zeros.
    void WriteAt(std::uint64_t offset, const void* buffer, std::size_t count);
    // Copies up to `count` bytes of `source` from `from` into this file at `to` inside the system, so
    // that they never pass through the program, and returns how many it copied. That is fewer, down to
    // none, when the system cannot copy between these two files or stops early: the rest is then for
    // the caller's own loop, which meets any real failure and reports it. Nothing is copied where the
    // system has no such call, nor in the engine built for fault injection, whose hook must see every
    // byte.
    std::uint64_t CopyWithinSystem(const File& source, std::uint64_t from, std::uint64_t to, std::uint64_t count);
    void Truncate(std::uint64_t size);
    // Hands the file's data to the disk before a rename makes it visible under its final name.
    void Flush();
    // Closes and reports a failure to close, which a destructor cannot.
    void Close();
    // An exclusive advisory lock held until the file is closed; false when another process holds it.
    // Files opened for writing on Windows are exclusive already, so there it always succeeds.
    bool TryLockExclusive();

private:
    std::filesystem::path path_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
    void Release() noexcept;
};

} // namespace quarrow
