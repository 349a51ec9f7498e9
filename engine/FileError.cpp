#include "File.hpp"

#include "SystemMessage.hpp"
#include "Text.hpp"

namespace quarrow {

namespace {

const char* Verb(FileOperation operation) {
    switch (operation) {
    case FileOperation::Open: return "cannot open";
    case FileOperation::Create: return "cannot create";
    case FileOperation::Read: return "cannot read";
    case FileOperation::Write: return "cannot write";
    case FileOperation::Size: return "cannot get the size of";
    case FileOperation::Truncate: return "cannot truncate";
    case FileOperation::Flush: return "cannot flush";
    case FileOperation::Close: return "cannot close";
    case FileOperation::Replace: return "cannot replace";
    }
    return "cannot use";
}

std::string Describe(FileOperation operation, const std::filesystem::path& path, std::error_code code) {
    return std::string(Verb(operation)) + " " + Utf8FromWide(WideFromPath(path)) + ": " + SystemMessage(code);
}

// Reasons of the engine's own, where the system has no words for what stops a file's use.
class FileUseCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "quarrow.file"; }
    std::string message(int value) const override {
        return value == 2 ? "another program is writing it" : "it is not a regular file (a folder, a device or a pipe)";
    }
};

const FileUseCategory& UseCategory() {
    static const FileUseCategory category;
    return category;
}

} // namespace

std::error_code NotARegularFile() { return {1, UseCategory()}; }

std::error_code HeldByAnotherWriter() { return {2, UseCategory()}; }

FileError::FileError(FileOperation operation, std::filesystem::path path, std::error_code code)
    : std::runtime_error(Describe(operation, path, code)), operation_(operation), path_(std::move(path)), code_(code) {}

} // namespace quarrow
