#pragma once
// The subcommands of quarrow-cli. Each returns the process's exit code: 0 when everything was done,
// 1 when the archive or an input has a problem, so that something was refused or skipped (each named
// on the error stream). Failures of the system arrive as exceptions, which the caller reports with
// exit code 3.

#include "EntryNames.hpp"
#include "Extractor.hpp"
#include "Progress.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace quarrow::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitIoFailure = 3;

// How much a command says beside its errors: nothing more, its progress line on a terminal, or also
// one line on the output for each entry it wrote.
enum class Verbosity { Quiet, Normal, Verbose };

enum class ListFormat { Lines, Json };

// Where the commands that change an archive put the result, and whether they may leave the content
// appended behind its index out of it.
struct EditOptions {
    std::filesystem::path output; // empty: the archive itself, replaced once everything has succeeded
    bool dropAppended = false;
    NameMatching matching = NameMatching::FoldersAndPatterns; // how delete's names select entries
};

struct ExtractOptions {
    std::filesystem::path destination = ".";
    std::vector<std::string> names; // UTF-8; none selects every entry
    NameMatching matching = NameMatching::FoldersAndPatterns;
    ExistingFiles existing = ExistingFiles::Replace;
    bool toOutput = false; // the entries' bytes, one after another, to the output instead of files
    Verbosity verbosity = Verbosity::Normal;
};

int RunList(const std::filesystem::path& archive, ListFormat format);
int RunExtract(const std::filesystem::path& archive, const ExtractOptions& options, Progress& progress);
int RunPack(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& inputs, Progress& progress);
int RunAppend(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
              Progress& progress);
int RunUpdate(const std::filesystem::path& archive, const EditOptions& options,
              const std::vector<std::filesystem::path>& inputs, Progress& progress);
int RunDelete(const std::filesystem::path& archive, const EditOptions& options, const std::vector<std::string>& names,
              Progress& progress);
int RunCheck(const std::filesystem::path& archive, Progress& progress);
// Prints what differs between two archives and, given a folder, extracts there NEW's added and changed
// entries. Exits as diff does: 0 the same, 1 different, 2 trouble.
int RunDiff(const std::filesystem::path& older, const std::filesystem::path& newer,
            const std::filesystem::path& extractTo, Progress& progress);

} // namespace quarrow::cli
