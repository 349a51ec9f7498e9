#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "StoredName.hpp"
#include "Text.hpp"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace quarrow::cli {

namespace {

constexpr std::size_t kOutputChunk = 64 * 1024;

void AppendNumber(std::string& out, std::int32_t value) {
    char digits[16];
    out.append(digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr);
}

// A stored name in UTF-8: ASCII names, which most are, as they stand; the others through their decoding.
void AppendName(std::string& out, const NameField& field) {
    const std::string_view bytes = StoredNameBytes(field);
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        out += bytes;
    } else {
        out += Utf8FromWide(DecodeNameField(field).text);
    }
}

} // namespace

// Straight from the index to the output, a chunk at a time: however many entries the header claims,
// a list builds no workspace and holds no more than one chunk of records and one of lines.
int RunList(const std::filesystem::path& archive) {
    const auto check = CheckedArchive(archive);
    if (!check) {
        return kExitFailure;
    }
    IndexChunks index(archive, check->header);
    std::string lines;
    lines.reserve(kOutputChunk + 128);
    for (auto records = index.Next(); !records.empty(); records = index.Next()) {
        for (const EntryBytes& record : records) {
            const PakEntry entry = DecodeEntry(record);
            AppendNumber(lines, entry.size);
            lines += '\t';
            AppendNumber(lines, entry.dataOffset);
            lines += '\t';
            AppendName(lines, entry.name);
            lines += '\n';
            if (lines.size() >= kOutputChunk) {
                Write(Stream::Out, lines);
                lines.clear();
            }
        }
    }
    Write(Stream::Out, lines);
    return kExitSuccess;
}

} // namespace quarrow::cli
