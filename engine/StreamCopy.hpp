#pragma once
// Moving file contents in bounded memory: a buffered sequential writer, and a chunked copy from one
// file's range to another's.

#include "File.hpp"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace quarrow {

inline constexpr std::size_t kCopyChunk = 1 << 20;
// Copies from this length on are first handed to the system to copy on its own (File::CopyWithinSystem),
// wherever they lie against the pages of either file; shorter ones cost less through the buffer than
// the call.
inline constexpr std::uint64_t kCopyWithinSystemFrom = 64 * 1024;

inline bool WorthCopyingWithinSystem(std::uint64_t count) { return count >= kCopyWithinSystemFrom; }

// Appends to a file from a starting offset through one buffer; large writes bypass it.
class SequentialWriter {
public:
    SequentialWriter(File& file, std::uint64_t start);
    // Does not flush: a writer abandoned by a failure leaves its file to be discarded.
    ~SequentialWriter() = default;
    SequentialWriter(const SequentialWriter&) = delete;
    SequentialWriter& operator=(const SequentialWriter&) = delete;

    void Write(std::span<const std::uint8_t> bytes);
    void WriteZeros(std::uint64_t count);
    // Copies exactly `count` bytes of `source` from `offset`; throws FileError when the source ends
    // sooner.
    void CopyFrom(const File& source, std::uint64_t offset, std::uint64_t count);
    void Flush();
    // For a file that will be flushed to the disk when complete: what the system copies is started on
    // its way to the disk at once, so that the final flush waits for little.
    void WriteBackEarly() { writeBackEarly_ = true; }

private:
    File& file_;
    bool writeBackEarly_ = false;
    std::uint64_t position_;
    // Left unzeroed: every byte is read or copied into it before it is written out.
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t used_ = 0;
};

// Copies exactly `count` bytes from `source` at `from` to `target` at `to`, a chunk at a time through
// `buffer`. Throws FileError (a read of the source) when the source ends before `count` bytes.
void CopyRange(const File& source, std::uint64_t from, File& target, std::uint64_t to, std::uint64_t count,
               std::vector<std::uint8_t>& buffer);

} // namespace quarrow
