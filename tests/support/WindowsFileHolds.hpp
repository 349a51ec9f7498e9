#pragma once
// What makes a file untouchable on Windows, for tests: another open without sharing, and the read-only
// attribute. Both end with their object, so that the test's folder can be removed.

#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace quarrow::testing {

// The file opened for reading and writing with no sharing at all, as an editor or the game might hold it.
class HeldWithoutSharing {
public:
    explicit HeldWithoutSharing(const std::filesystem::path& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot hold " + path.string());
        }
    }
    ~HeldWithoutSharing() { CloseHandle(handle_); }
    HeldWithoutSharing(const HeldWithoutSharing&) = delete;
    HeldWithoutSharing& operator=(const HeldWithoutSharing&) = delete;

private:
    HANDLE handle_;
};

class ReadOnlyAttribute {
public:
    explicit ReadOnlyAttribute(std::filesystem::path path) : path_(std::move(path)) {
        if (!SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY)) {
            throw std::runtime_error("cannot make " + path_.string() + " read-only");
        }
    }
    ~ReadOnlyAttribute() { SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }
    ReadOnlyAttribute(const ReadOnlyAttribute&) = delete;
    ReadOnlyAttribute& operator=(const ReadOnlyAttribute&) = delete;

private:
    std::filesystem::path path_;
};

// Whether the read-only attribute stops a write here. Windows enforces it; Wine maps it to the file's
// permission bits, which do not stop a process running as root, so tests of it run only where it bites.
inline bool ReadOnlyAttributeBites(const std::filesystem::path& folder) {
    const auto probe = folder / "read-only-probe";
    HANDLE created =
        CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(created);
    bool bites = false;
    {
        const ReadOnlyAttribute readOnly(probe);
        HANDLE opened =
            CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        bites = opened == INVALID_HANDLE_VALUE;
        if (!bites) {
            CloseHandle(opened);
        }
    }
    DeleteFileW(probe.c_str());
    return bites;
}

} // namespace quarrow::testing
