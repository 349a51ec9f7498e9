#pragma once
// The damaged archives that tests/damaged/make_damaged_archives.py makes, with what each must get:
// refused with the open error, or opened with some entries skipped at extraction and the rest written.

#include "HostPath.hpp"
#include "Text.hpp"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace quarrow::testing {

struct DamagedArchive {
    std::string name; // the file name in the folder
    bool refused = false;
    std::string problem;              // when refused: the ArchiveProblem's name
    std::size_t count = 0;            // when opened: the entries listed
    std::vector<std::string> skipped; // "position:SkipReason" or "position:UnsafeName:NameProblem"
    std::vector<std::string> files;   // written below the destination, "/" between levels, UTF-8
    std::vector<std::string> notes;   // a health check's notes: "Kind", "Kind:1+2", "Kind@24-30", "Kind:1+2@24-30"

    // A health check's problems are the entries extraction skips for what they hold, not for what the
    // disk refused: "position:SkipReason[:NameProblem]", as in `skipped`.
    std::vector<std::string> Problems() const {
        std::vector<std::string> problems;
        for (const std::string& entry : skipped) {
            if (entry.find(":CannotWrite") == std::string::npos) {
                problems.push_back(entry);
            }
        }
        return problems;
    }
};

inline void PrintTo(const DamagedArchive& archive, std::ostream* os) { *os << archive.name; }

inline std::filesystem::path DamagedArchivesFolder() { return HostPath(QUARROW_DAMAGED_ARCHIVES); }

inline std::vector<std::string> SplitOn(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

inline std::vector<DamagedArchive> LoadDamagedArchives() {
    std::vector<DamagedArchive> archives;
    std::ifstream manifest(DamagedArchivesFolder() / "expectations.tsv", std::ios::binary);
    std::string line;
    while (std::getline(manifest, line)) {
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t')) {
            fields.push_back(field);
        }
        fields.resize(6);
        DamagedArchive archive;
        archive.name = fields[0];
        archive.refused = fields[1] == "refused";
        if (archive.refused) {
            archive.problem = fields[2];
        } else {
            archive.count = std::stoul(fields[2]);
            archive.skipped = SplitOn(fields[3], ',');
            archive.files = SplitOn(fields[4], ';');
            archive.notes = SplitOn(fields[5], ',');
        }
        archives.push_back(std::move(archive));
    }
    return archives;
}

// A test name for gtest: letters, digits and underscores.
inline std::string TestNameOf(const DamagedArchive& archive) {
    std::string name = archive.name.substr(0, archive.name.rfind('.'));
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

// Every file below `root`, as UTF-8 relative paths with "/" between levels, sorted.
inline std::vector<std::string> FilesBelow(const std::filesystem::path& root) {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (item.is_regular_file()) {
            std::string name = Utf8FromWide(WideFromPath(item.path().lexically_relative(root)));
            std::replace(name.begin(), name.end(), '\\', '/');
            files.push_back(name);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace quarrow::testing
