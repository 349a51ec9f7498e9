#pragma once
// A small file system mounted for one test, in a mount namespace of the test process's own: nothing
// outside sees it, and it goes away with the process however the test ends. It lets a test meet a
// truly full or read-only disk, which root meets too (unlike permission bits). Needs the right to
// mount (root with CAP_SYS_ADMIN); PrivateMountsAvailable says whether this process has it.

#include <sched.h>
#include <sys/mount.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace quarrow::testing {

inline bool PrivateMountsAvailable() {
    static const bool available =
        ::unshare(CLONE_NEWNS) == 0 && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return available;
}

class TmpfsMount {
public:
    TmpfsMount(std::filesystem::path where, std::size_t bytes) : where_(std::move(where)) {
        std::filesystem::create_directories(where_);
        const std::string options = "size=" + std::to_string(bytes);
        if (::mount("quarrow-test", where_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            throw std::runtime_error("cannot mount a file system at " + where_.string());
        }
    }
    ~TmpfsMount() { ::umount2(where_.c_str(), MNT_DETACH); }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    void MakeReadOnly() {
        if (::mount(nullptr, where_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            throw std::runtime_error("cannot make " + where_.string() + " read-only");
        }
    }

private:
    std::filesystem::path where_;
};

} // namespace quarrow::testing
