#pragma once
// Faults for the file layer's test hook: a read or a write that fails after a number of bytes, a disk
// that is full from some byte on, or the n-th open, truncation, flush, close or replacement that fails.
// The plan counts what went through, so that a test can first measure an operation and then break it
// at every point, and it counts the faults it caused, so that no test passes without meeting one.

#include "FileFaults.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

namespace quarrow::testing {

class FaultPlan : public FileFaults {
public:
    // The files the plan touches; every file when empty.
    std::function<bool(const std::filesystem::path&)> applies;

    // No fault: only counts.
    static FaultPlan Counting() { return FaultPlan(); }

    // The transfer (Read or Write) that carries the matching files' byte count past `after` moves only
    // the bytes up to it and fails with `error`. A sticky fault fails every later transfer as well.
    static FaultPlan FailTransfer(FileOperation operation, std::uint64_t after, std::errc error, bool sticky) {
        FaultPlan plan;
        plan.transfer_ = operation;
        plan.after_ = after;
        plan.error_ = std::make_error_code(error);
        plan.sticky_ = sticky;
        return plan;
    }

    // The disk fills up after `after` more bytes: that write and every later one fail.
    static FaultPlan DiskFull(std::uint64_t after) {
        return FailTransfer(FileOperation::Write, after, std::errc::no_space_on_device, true);
    }

    // The `nth` matching call (from 1) of Open, Create, Truncate, Flush, Close or Replace fails.
    static FaultPlan FailCall(FileOperation operation, int nth, std::errc error = std::errc::io_error) {
        FaultPlan plan;
        return FaultPlan().AndFailCall(operation, nth, error);
    }

    // Adds a failing call to a plan that already fails a transfer.
    FaultPlan& AndFailCall(FileOperation operation, int nth, std::errc error = std::errc::io_error) {
        call_ = operation;
        nth_ = nth;
        callError_ = std::make_error_code(error);
        return *this;
    }

    // Directory creation is refused for matching paths.
    static FaultPlan RefuseDirectories() {
        FaultPlan plan;
        plan.refuseDirectories_ = true;
        return plan;
    }

    std::uint64_t BytesRead() const { return read_; }
    std::uint64_t BytesWritten() const { return written_; }
    int FaultsCaused() const { return faults_; }

    void BeforeOpen(const std::filesystem::path& path, File::Mode mode) override {
        const bool reading = mode == File::Mode::Read || mode == File::Mode::ReadWrite;
        Call(reading ? FileOperation::Open : FileOperation::Create, path);
    }

    TransferAllowance BeforeTransfer(FileOperation operation, const std::filesystem::path& path, std::uint64_t,
                                     std::size_t count) override {
        if (!Applies(path)) {
            return {count, {}};
        }
        std::uint64_t& done = operation == FileOperation::Read ? read_ : written_;
        if (operation != transfer_ || (!failing_ && done + count <= after_)) {
            done += count;
            return {count, {}};
        }
        const std::size_t allowed = failing_ ? 0 : static_cast<std::size_t>(after_ - done);
        done += allowed;
        failing_ = sticky_;
        if (!sticky_) {
            transfer_.reset(); // one fault only
        }
        ++faults_;
        return {allowed, error_};
    }

    void BeforeOperation(FileOperation operation, const std::filesystem::path& path) override { Call(operation, path); }

    bool BeforeCreateDirectory(const std::filesystem::path& path) override {
        if (refuseDirectories_ && Applies(path)) {
            ++faults_;
            return false;
        }
        return true;
    }

private:
    std::optional<FileOperation> transfer_; // Read or Write, when a transfer is to fail
    std::uint64_t after_ = 0;
    bool sticky_ = false;
    bool failing_ = false;
    std::optional<FileOperation> call_; // the kind of call to fail
    int nth_ = 0;
    int calls_ = 0;
    bool refuseDirectories_ = false;
    std::error_code error_;
    std::error_code callError_;
    std::uint64_t read_ = 0;
    std::uint64_t written_ = 0;
    int faults_ = 0;

    bool Applies(const std::filesystem::path& path) const { return !applies || applies(path); }

    void Call(FileOperation operation, const std::filesystem::path& path) {
        if (operation != call_ || !Applies(path)) {
            return;
        }
        if (++calls_ == nth_) {
            ++faults_;
            throw FileError(operation, path, callError_);
        }
    }
};

} // namespace quarrow::testing
