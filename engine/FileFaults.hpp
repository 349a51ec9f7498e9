#pragma once
// The test hook of the file layer. Every open, read, write, truncation, flush, close and replacement
// of a file, and every directory the engine creates, asks the installed FileFaults first, which may
// let it pass, cut it short or make it fail as a full or broken disk would. Tests install one for the
// span of an operation with ScopedFileFaults.
//
// The hook exists only in the engine built with QUARROW_FAULT_INJECTION (the quarrow_engine_faults
// library, which tests link). In the engine that the program and quarrow-cli link, InstalledFileFaults
// is a constant null pointer, so the checks compile to nothing.
//
// Only the file layer's own sources include this header.

#include "File.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>

namespace quarrow {

// How much of a read or write goes through: the first `allowed` bytes are transferred for real; when
// that is fewer than asked, the operation then fails with `failure`, or, for a read without a failure,
// ends there as it would at the end of the file.
struct TransferAllowance {
    std::size_t allowed = 0;
    std::error_code failure;
};

class FileFaults {
public:
    virtual ~FileFaults() = default;

    // Before a file is opened or created; throw FileError to refuse it.
    virtual void BeforeOpen(const std::filesystem::path& path, File::Mode mode) {
        (void)path;
        (void)mode;
    }
    virtual TransferAllowance BeforeTransfer(FileOperation operation, const std::filesystem::path& path,
                                             std::uint64_t offset, std::size_t count) {
        (void)operation;
        (void)path;
        (void)offset;
        return {count, {}};
    }
    // Before Truncate, Flush, Close and Replace (the replacement names its target); throw FileError to
    // make them fail.
    virtual void BeforeOperation(FileOperation operation, const std::filesystem::path& path) {
        (void)operation;
        (void)path;
    }
    // Before a directory is created; false leaves it uncreated, as a refusing system would.
    virtual bool BeforeCreateDirectory(const std::filesystem::path& path) {
        (void)path;
        return true;
    }
};

#ifdef QUARROW_FAULT_INJECTION

FileFaults* InstalledFileFaults();

// Installs `faults` on this thread for its lifetime; the previous one returns afterwards.
class ScopedFileFaults {
public:
    explicit ScopedFileFaults(FileFaults& faults);
    ~ScopedFileFaults();
    ScopedFileFaults(const ScopedFileFaults&) = delete;
    ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;

private:
    FileFaults* previous_;
};

#else

constexpr FileFaults* InstalledFileFaults() { return nullptr; }

#endif

// Shared by both platforms' file layers: how many of `count` bytes may be transferred now.
inline TransferAllowance AllowTransfer(FileOperation operation, const std::filesystem::path& path, std::uint64_t offset,
                                       std::size_t count) {
    if (FileFaults* faults = InstalledFileFaults()) {
        TransferAllowance allowance = faults->BeforeTransfer(operation, path, offset, count);
        if (allowance.allowed > count) {
            allowance.allowed = count;
        }
        return allowance;
    }
    return {count, {}};
}

inline void CheckOperation(FileOperation operation, const std::filesystem::path& path) {
    if (FileFaults* faults = InstalledFileFaults()) {
        faults->BeforeOperation(operation, path);
    }
}

} // namespace quarrow
