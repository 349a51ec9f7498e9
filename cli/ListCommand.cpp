#include "Commands.hpp"

#include "Console.hpp"
#include "Diagnostics.hpp"
#include "PrintableText.hpp"
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

// A stored name in UTF-8 for a terminal: printable ASCII names, which most are, as they stand; the
// others through their decoding, every control character shown as "?", so that one entry is always
// one line of three fields.
void AppendName(std::string& out, const NameField& field) {
    const std::string_view bytes = StoredNameBytes(field);
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) {
        out += bytes;
    } else {
        out += Utf8FromWide(Printable(DecodeNameField(field).text));
    }
}

// {"name":"A.BIN","size":10,"offset":24}, with "bytes" holding the name field's bytes in hexadecimal
// where they do not decode as code page 936.
void AppendJson(std::string& out, const PakEntry& entry) {
    const DecodedName name = DecodeNameField(entry.name);
    out += "{\"name\":";
    out += JsonString(name.text);
    out += ",\"size\":";
    AppendNumber(out, entry.size);
    out += ",\"offset\":";
    AppendNumber(out, entry.dataOffset);
    if (!name.exact) {
        out += ",\"bytes\":\"";
        out += HexBytes(StoredNameBytes(entry.name));
        out += '"';
    }
    out += '}';
}

void AppendLine(std::string& out, const PakEntry& entry) {
    AppendNumber(out, entry.size);
    out += '\t';
    AppendNumber(out, entry.dataOffset);
    out += '\t';
    AppendName(out, entry.name);
}

} // namespace

// Straight from the index to the output, a chunk at a time: however many entries the header claims,
// a list builds no workspace and holds no more than one chunk of records and one of lines.
int RunList(const std::filesystem::path& archive, ListFormat format) {
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
            if (format == ListFormat::Json) {
                AppendJson(lines, entry);
            } else {
                AppendLine(lines, entry);
            }
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
