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

// What tells one state of a file from another, and what a file that replaces it must carry over.
struct FileIdentity {
    enum class Kind { File, Folder, Other }; // Other: a device, a pipe, a socket
    Kind kind = Kind::File;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // in the system's own ticks
    std::uint64_t device = 0;  // the device, or the volume's serial number
    std::uint64_t index = 0;   // the inode, or the file index on the volume
    std::uint64_t links = 1;   // hard links
    bool readOnly = false;     // no write permission for anyone, or the read-only attribute
    std::uint32_t mode = 0;    // permission bits, where the system has them
    std::uint32_t owner = 0;
    std::uint32_t group = 0;

    bool SameFile(const FileIdentity& other) const { return device == other.device && index == other.index; }
    bool SameState(const FileIdentity& other) const {
        return SameFile(other) && size == other.size && modified == other.modified;
    }
};

class FileError : public std::runtime_error {
public:
    FileError(FileOperation operation, std::filesystem::path path, std::error_code code);

    FileOperation Operation() const { return operation_; }
    const std::filesystem::path& Path() const { return path_; }
    // A path by which this process can open the file again while this handle stays open, even when the
    // file has no name; empty where the system has none.
    std::filesystem::path HandlePath() const;
    std::error_code Code() const { return code_; }

private:
    FileOperation operation_;
    std::filesystem::path path_;
    std::error_code code_;
};

// The reason given for a device, a pipe or a folder where a regular file is needed.
std::error_code NotARegularFile();
// The reason given for a file that another run holds locked while it writes it.
std::error_code HeldByAnotherWriter();

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
    // Creates a file without a name in `folder`, which nobody else can see, take or remove, and which
    // vanishes with its last handle unless LinkAs gives it one; empty where the system cannot.
    static std::optional<File> TryCreateUnnamed(const std::filesystem::path& folder);
    // Gives a file made by TryCreateUnnamed the name `path`; false when something has that name.
    bool TryLinkAs(const std::filesystem::path& path);
    // Has the system remove this file, made by TryCreateNew, when its last handle closes, however the
    // run ends: what an unnamed file is where the system has none. Until then nobody else can open
    // it. False where the system or the file system refuses, and where unnamed files serve instead.
    bool TryRemoveWhenClosed();
    // Takes that back, for a file that is to outlive its handle.
    void KeepWhenClosed();
    // The state of what `path` names, links followed; empty when nothing does.
    static std::optional<FileIdentity> IdentityAt(const std::filesystem::path& path);
    // The same, empty also when it cannot be told.
    static std::optional<FileIdentity> IdentityIfKnown(const std::filesystem::path& path) noexcept {
        try {
            return IdentityAt(path);
        } catch (const FileError&) {
            return std::nullopt;
        }
    }
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A path by which this process can open the file again while this handle stays open, even when the
    // file has no name; empty where the system has none.
    std::filesystem::path HandlePath() const;

    std::uint64_t Size() const;
    FileIdentity Identity() const;
    // Gives this file the permissions and, where the system allows it, the owner and group of
    // `original`, so that it can take its place. Windows carries them over as it replaces the file.
    void TakeAccessOf(const FileIdentity& original);
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
    // Lets the file system set aside room for the file to grow to `size` bytes at once, rather than
    // block by block as they are written; its length and content stay as they are. Nothing where the
    // file system cannot; a disk too full for it is met by the writes themselves.
    void Reserve(std::uint64_t size) noexcept;
    // Hands the file's data to the disk before a rename makes it visible under its final name.
    void Flush();
    // Lets the system start writing `count` bytes from `offset` to the disk now, without waiting, so
    // that a later Flush has less to wait for. Nothing where the system has no such call.
    void StartWriteBack(std::uint64_t offset, std::uint64_t count) noexcept;
    // Closes and reports a failure to close, which a destructor cannot.
    void Close();
    // A lock that one writer at a time holds until the file is closed; false when another holds it.
    // Every run that writes a file takes it, whether it opened the file for reading or writing.
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
