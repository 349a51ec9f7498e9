#include "StreamCopy.hpp"

#include <algorithm>
#include <system_error>

namespace quarrow {

namespace {

[[noreturn]] void EndedEarly(const File& source) {
    // The file is shorter than it was when its size was taken.
    throw FileError(FileOperation::Read, source.Path(), std::make_error_code(std::errc::io_error));
}

} // namespace

SequentialWriter::SequentialWriter(File& file, std::uint64_t start)
    : file_(file), position_(start), buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kCopyChunk)) {}

void SequentialWriter::Write(std::span<const std::uint8_t> bytes) {
    if (used_ + bytes.size() > kCopyChunk) {
        Flush();
    }
    if (bytes.size() >= kCopyChunk) {
        file_.WriteAt(position_, bytes.data(), bytes.size());
        position_ += bytes.size();
        return;
    }
    std::copy(bytes.begin(), bytes.end(), buffer_.get() + used_);
    used_ += bytes.size();
}

void SequentialWriter::WriteZeros(std::uint64_t count) {
    static constexpr std::uint8_t kZeros[256] = {};
    while (count > 0) {
        const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(count, sizeof kZeros));
        Write({kZeros, step});
        count -= step;
    }
}

void SequentialWriter::CopyFrom(const File& source, std::uint64_t offset, std::uint64_t count) {
    if (WorthCopyingWithinSystem(count)) {
        Flush();
        const std::uint64_t copied = file_.CopyWithinSystem(source, offset, position_, count);
        if (writeBackEarly_) {
            file_.StartWriteBack(position_, copied);
        }
        position_ += copied;
        offset += copied;
        count -= copied;
    }
    while (count > 0) {
        if (used_ == kCopyChunk) {
            Flush();
        }
        const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(count, kCopyChunk - used_));
        const std::size_t read = source.ReadAt(offset, buffer_.get() + used_, step);
        used_ += read;
        if (read != step) {
            EndedEarly(source);
        }
        offset += step;
        count -= step;
    }
}

void SequentialWriter::Flush() {
    if (used_ > 0) {
        file_.WriteAt(position_, buffer_.get(), used_);
        position_ += used_;
        used_ = 0;
    }
}

void CopyRange(const File& source, std::uint64_t from, File& target, std::uint64_t to, std::uint64_t count,
               std::vector<std::uint8_t>& buffer) {
    if (WorthCopyingWithinSystem(count)) {
        const std::uint64_t copied = target.CopyWithinSystem(source, from, to, count);
        from += copied;
        to += copied;
        count -= copied;
    }
    if (buffer.size() < std::min<std::uint64_t>(count, kCopyChunk)) {
        buffer.resize(kCopyChunk);
    }
    while (count > 0) {
        const auto step = static_cast<std::size_t>(std::min<std::uint64_t>(count, buffer.size()));
        if (source.ReadAt(from, buffer.data(), step) != step) {
            EndedEarly(source);
        }
        target.WriteAt(to, buffer.data(), step);
        from += step;
        to += step;
        count -= step;
    }
}

} // namespace quarrow
