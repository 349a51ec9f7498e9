#include "Diagnostics.hpp"

#include "ArchiveReader.hpp"
#include "Console.hpp"
#include "File.hpp"
#include "PrintableText.hpp"
#include "SystemMessage.hpp"

#include <cctype>
#include <charconv>
#include <iterator>
#include <string>

namespace quarrow::cli {

// A message is one line, whatever a stored name or a path in it holds.
void ReportError(std::string_view text) { Write(Stream::Err, "quarrow-cli: " + PrintableUtf8(text) + "\n"); }

std::optional<ArchiveCheck> CheckedArchive(const std::filesystem::path& archive) {
    const ArchiveCheck check = CheckArchive(archive);
    if (check) {
        return check;
    }
    const std::string name = DisplayPath(archive);
    switch (*check.problem) {
    case ArchiveProblem::CannotOpen: {
        std::error_code ignored;
        if (std::filesystem::exists(archive, ignored)) {
            // A file that is there but cannot be read (in use, denied) may well be an archive: an I/O
            // failure, not a file that is no archive.
            throw FileError(FileOperation::Open, archive, check.error);
        }
        ReportError("cannot open " + name + ": " + SystemMessage(check.error));
        break;
    }
    case ArchiveProblem::BadMagic:
        ReportError(name + " is not a PAK archive: it " + std::string(Describe(*check.problem)));
        break;
    default: ReportError(name + " is a damaged PAK archive: it " + std::string(Describe(*check.problem))); break;
    }
    return std::nullopt;
}

std::optional<ArchiveCheck> OpenArchive(const std::filesystem::path& archive, Workspace& workspace,
                                        Progress& progress) {
    auto check = CheckedArchive(archive);
    if (check) {
        LoadArchive(workspace, archive, check->header, progress);
    }
    return check;
}

namespace {

// Upper-case digits, as many as an even count needs, as LongToHex writes offsets, for any length.
std::string HexText(std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), static_cast<std::uint64_t>(value), 16).ptr;
    std::string text(digits, end);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text.size() % 2 == 0 ? text : "0" + text;
}

} // namespace

std::string RangeText(const ByteRange& range) {
    return "bytes " + std::to_string(range.first) + " to " + std::to_string(range.Last()) + " (" +
           HexText(range.first) + "h - " + HexText(range.Last()) + "h)";
}

} // namespace quarrow::cli
