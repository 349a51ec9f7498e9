#include "Diagnostics.hpp"

#include "ArchiveReader.hpp"
#include "Console.hpp"
#include "SystemMessage.hpp"

#include <cctype>
#include <charconv>
#include <iterator>
#include <string>

namespace quarrow::cli {

void ReportError(std::string_view text) { Write(Stream::Err, "quarrow-cli: " + std::string(text) + "\n"); }

std::optional<ArchiveCheck> CheckedArchive(const std::filesystem::path& archive) {
    const ArchiveCheck check = CheckArchive(archive);
    std::error_code ignored;
    if (check.problem == ArchiveProblem::CannotOpen && std::filesystem::exists(archive, ignored)) {
        // A file that is there but cannot be read (in use, denied) may well be an archive: saying it
        // is none would send the user looking for the wrong trouble.
        ReportError("cannot open " + DisplayPath(archive) + ": " + SystemMessage(check.error));
        return std::nullopt;
    }
    if (!check) {
        // The program's own message, word for word, so that scripts can look for it.
        Write(Stream::Err, DisplayPath(archive) + " 不是有效PAK文件！\n");
        if (*check.problem != ArchiveProblem::BadMagic) {
            std::string reason = DisplayPath(archive) + " " + std::string(Describe(*check.problem));
            if (check.error) {
                reason += ": " + SystemMessage(check.error);
            }
            ReportError(reason);
        }
        return std::nullopt;
    }
    return check;
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
