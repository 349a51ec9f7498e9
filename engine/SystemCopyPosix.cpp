#include "SystemCopy.hpp"

#ifdef __linux__
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>
#endif

namespace quarrow {

#ifdef __linux__

namespace {

// The page cache builds large folios of a file only from writes that begin on their boundaries. The
// kernel's own copy (copy_file_range, where the file system has nothing better) moves 16 pages at a
// time through a pipe of its own, from wherever it was started: begun off such a boundary of the
// target, every later step of it writes across boundaries into small folios, which costs a fifth more
// than the same bytes begun on one. On this boundary a source that lies alike within its pages is
// also block-aligned, which a file system that shares blocks between files needs to share them.
constexpr std::uint64_t kTargetBoundary = 64 * 1024;
constexpr std::uint64_t kLongestCall = 1u << 30; // a multiple of the boundary
// The most an unprivileged program may ask of a pipe by default (/proc/sys/fs/pipe-max-size).
constexpr int kPipeBytes = 1 << 20;

// The two ends of a pipe, closed with it.
class Pipe {
public:
    Pipe() {
        if (::pipe2(ends_, O_CLOEXEC) != 0) {
            ends_[0] = ends_[1] = -1;
        }
    }
    ~Pipe() {
        for (const int end : ends_) {
            if (end >= 0) {
                ::close(end);
            }
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool IsOpen() const { return ends_[0] >= 0; }
    int ReadEnd() const { return ends_[0]; }
    int WriteEnd() const { return ends_[1]; }

private:
    int ends_[2];
};

std::uint64_t PageSize() {
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<std::uint64_t>(size) : 4096;
}

// Whether copy_file_range on the target's file system is only the kernel's splice in 16-page steps,
// which this program's pipe does better: ext2, ext3, ext4 and tmpfs neither share blocks between
// files nor copy on their own.
bool CopiesOnlyBySplicing(int target) {
    struct statfs info {};
    return ::fstatfs(target, &info) == 0 && (info.f_type == EXT4_SUPER_MAGIC || info.f_type == TMPFS_MAGIC);
}

std::uint64_t CopyFileRange(int source, std::uint64_t from, int target, std::uint64_t to, std::uint64_t count) {
    std::uint64_t done = 0;
    while (done < count) {
        auto in = static_cast<loff_t>(from + done);
        auto out = static_cast<loff_t>(to + done);
        const std::uint64_t toBoundary = (kTargetBoundary - (to + done) % kTargetBoundary) % kTargetBoundary;
        const auto step = static_cast<std::size_t>(std::min(count - done, toBoundary > 0 ? toBoundary : kLongestCall));
        const ssize_t n = ::copy_file_range(source, &in, target, &out, step, 0);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break; // not between these files, or the end of the source
        }
        done += static_cast<std::uint64_t>(n);
    }
    return done;
}

// The kernel's copy done through a pipe of this program's, larger than its own: each step is read
// into the pipe by reference, without a copy, and written out to end on a boundary of the target,
// wherever the source lies, so that the target's page cache is built of large folios.
std::uint64_t CopyThroughPipe(int source, std::uint64_t from, int target, std::uint64_t to, std::uint64_t count) {
    const Pipe pipe;
    if (!pipe.IsOpen()) {
        return 0;
    }
    int capacity = ::fcntl(pipe.WriteEnd(), F_SETPIPE_SZ, kPipeBytes);
    if (capacity < 0) {
        capacity = ::fcntl(pipe.WriteEnd(), F_GETPIPE_SZ); // the system's limit for this user is reached
    }
    if (capacity < static_cast<int>(kTargetBoundary)) {
        return 0; // a few pages a step would cost more than the caller's buffer
    }
    // Half the pipe: a step whose source starts within a page takes one page more than it holds.
    const std::uint64_t stepBoundary = static_cast<std::uint64_t>(capacity) / 2;
    std::uint64_t done = 0;
    while (done < count) {
        auto in = static_cast<loff_t>(from + done);
        auto out = static_cast<loff_t>(to + done);
        const auto step = static_cast<std::size_t>(std::min(count - done, stepBoundary - (to + done) % stepBoundary));
        const ssize_t filled = ::splice(source, &in, pipe.WriteEnd(), nullptr, step, 0);
        if (filled < 0 && errno == EINTR) {
            continue;
        }
        if (filled <= 0) {
            break; // a file that cannot be spliced, or the end of the source
        }
        auto left = static_cast<std::size_t>(filled);
        while (left > 0) {
            const ssize_t drained = ::splice(pipe.ReadEnd(), nullptr, target, &out, left, 0);
            if (drained < 0 && errno == EINTR) {
                continue;
            }
            if (drained <= 0) {
                // What is still in the pipe goes with it; the caller copies it again and meets the failure.
                return done + (static_cast<std::size_t>(filled) - left);
            }
            left -= static_cast<std::size_t>(drained);
        }
        done += static_cast<std::uint64_t>(filled);
    }
    return done;
}

} // namespace

std::uint64_t CopyInsideSystem(int source, std::uint64_t from, int target, std::uint64_t to, std::uint64_t count) {
    // A source that lies alike within its pages goes to copy_file_range first, where the file system
    // may copy it better on its own (sharing blocks, or copying on a server). No file system shares
    // blocks for a shifted one, and the kernel's small steps cost more than this program's pipe; that
    // gives up a network file system's copy on its server for shifted runs. What copy_file_range
    // refuses (between file systems) may still be spliced. A copy shorter than the pipe, as most files
    // extracted from an archive are, gains nothing from it that would pay for making the pipe.
    const std::uint64_t page = PageSize();
    const bool alike = from % page == to % page;
    const bool direct = count < static_cast<std::uint64_t>(kPipeBytes) || (alike && !CopiesOnlyBySplicing(target));
    std::uint64_t done = direct ? CopyFileRange(source, from, target, to, count) : 0;
    if (done < count) {
        done += CopyThroughPipe(source, from + done, target, to + done, count - done);
    }
    return done;
}

#else

std::uint64_t CopyInsideSystem(int, std::uint64_t, int, std::uint64_t, std::uint64_t) { return 0; }

#endif

} // namespace quarrow
