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

} // namespace

FileError::FileError(FileOperation operation, std::filesystem::path path, std::error_code code)
    : std::runtime_error(Describe(operation, path, code)), operation_(operation), path_(std::move(path)), code_(code) {}

} // namespace quarrow
