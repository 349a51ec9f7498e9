// quarrow-cli: list, extract, pack, append to, update, delete from and check PAK archives from the
// command line.
#include "ArchiveFromInput.hpp"
#include "Commands.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "File.hpp"
#include "PakFormat.hpp"
#include "SystemMessage.hpp"
#include "TerminalProgress.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <utility>

namespace {

using namespace quarrow::cli;
using quarrow::ExistingFiles;
using quarrow::NameMatching;

std::vector<std::filesystem::path> Paths(const std::vector<std::string>& arguments) {
    std::vector<std::filesystem::path> paths;
    for (const auto& argument : arguments) {
        paths.push_back(PathFromArgument(argument));
    }
    return paths;
}

// The engine's own refusals to use a file (a pipe where an archive is wanted, an archive another
// program is writing) are problems of what was given, not failures of the system.
bool IsRefusal(const quarrow::FileError& error) {
    return error.Code() == quarrow::NotARegularFile() || error.Code() == quarrow::HeldByAnotherWriter();
}

constexpr std::string_view kExitCodes = "Exit codes: 0 success; 1 the archive or an input has a problem, or check "
                                        "found one; 2 usage; 3 an I/O failure (a write failed, the disk is full, "
                                        "permission denied); diff: 0 the same, 1 different, 2 trouble.";

std::string VersionText() {
    using namespace quarrow;
    return "quarrow-cli " QUARROW_VERSION "\nwrites PAK archives of 三国群英传II: a " + std::to_string(kHeaderSize) +
           "-byte header, the data from offset " + std::to_string(kDataStart) + ", then an index of " +
           std::to_string(kEntrySize) + "-byte entries with " + std::to_string(kNameSize) +
           "-byte names in code page 936";
}

// The number of single-character edits between two words, to suggest the command that was meant.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// CLI11 answers a word that is no command with "A subcommand is required", which names neither the
// word nor a way on: the first word that is no option must be a command, and one that is not is named.
bool KnowsCommand(const CLI::App& app, const std::vector<std::string>& arguments) {
    const auto word = std::find_if(arguments.begin(), arguments.end(),
                                   [](const std::string& argument) { return !argument.starts_with('-'); });
    if (word == arguments.end()) {
        return true;
    }
    std::string closest;
    std::size_t closestDistance = 3; // further than two edits is no likely slip
    for (const CLI::App* command : app.get_subcommands({})) {
        if (command->get_name() == *word) {
            return true;
        }
        if (const std::size_t distance = EditDistance(*word, command->get_name()); distance < closestDistance) {
            closest = command->get_name();
            closestDistance = distance;
        }
    }
    ReportError("'" + *word + "' is not a command" + (closest.empty() ? "" : "; did you mean '" + closest + "'?") +
                " See 'quarrow-cli --help'.");
    return false;
}

int Run(std::vector<std::string> arguments) {
    CLI::App app{"Lists, extracts, packs, appends to, edits and checks the PAK archives of 三国群英传II.",
                 "quarrow-cli"};
    app.set_version_flag("-V,--version", VersionText());
    app.require_subcommand(1);
    app.footer(std::string(kExitCodes));
    // The options of every command may stand after the command's name, as users of tar and git type them.
    app.fallthrough();
    // One line, as every message of the program: what was wrong and where help is.
    app.failure_message([](const CLI::App* failed, const CLI::Error& error) {
        const auto commands = failed->get_subcommands();
        const std::string help =
            commands.empty() ? "quarrow-cli --help" : "quarrow-cli help " + commands.front()->get_name();
        return "quarrow-cli: " + std::string(error.what()) + "; see '" + help + "'\n";
    });

    bool quiet = false;
    bool verbose = false;
    app.add_flag("-q,--quiet", quiet, "Say nothing but errors: no progress line");
    app.add_flag("-v,--verbose", verbose, "Also name each entry written, one line each");
    bool json = false;
    std::string helpTopic;

    std::string archive;
    std::string destination;
    std::string output;
    bool dropAppended = false;
    std::vector<std::string> inputs;
    std::vector<std::string> names;

    auto* list = app.add_subcommand("list", "Show the index: size, data offset and stored name of each entry");
    list->add_option("ARCHIVE", archive, "The archive")->required();
    list->add_flag("--json", json, "One JSON object per entry, with the exact name");

    bool toOutput = false;
    bool keep = false;
    bool exact = false;
    const auto addExactOption = [&](CLI::App* command) {
        command->add_flag("--exact", exact, "Take each NAME as a stored name, even one holding * or ?");
    };

    auto* extract = app.add_subcommand("extract", "Write every entry, or the selected ones, below a folder");
    extract->add_option("ARCHIVE", archive, "The archive, or - for standard input")->required();
    extract->add_option("DIR", destination, "The folder to extract into (default: the current folder)");
    extract->add_option("NAME", names,
                        "Only these entries: stored names, folders (every entry below) or patterns with * and ?; "
                        "case, and / for \\, do not matter");
    extract->add_flag("-O,--to-stdout", toOutput, "Write the entries' bytes to the output; every operand is a NAME");
    extract->add_flag("--keep", keep, "Leave existing files alone instead of replacing them");
    addExactOption(extract);

    auto* pack = app.add_subcommand("pack", "Pack files and folders into a new archive");
    pack->add_option("ARCHIVE", archive, "The archive to write (no extension is added)")->required();
    pack->add_option("INPUT", inputs, "Files, added by name, and folders, added with their trees")->required();

    auto* append = app.add_subcommand("append", "Copy whole files behind the end of an archive");
    append->add_option("ARCHIVE", archive, "The archive")->required();
    append->add_option("FILE", inputs, "The files to append")->required();

    std::vector<CLI::Option*> outputOptions;
    const auto addEditOptions = [&](CLI::App* command) {
        outputOptions.push_back(
            command->add_option("-o,--output", output, "Write the result here and leave ARCHIVE as it is"));
        command->add_flag("--drop-appended", dropAppended,
                          "Go ahead although the content appended behind the index will not be kept");
    };

    auto* update = app.add_subcommand("update", "Replace the entries of the inputs' names, and add the other inputs");
    update->add_option("ARCHIVE", archive, "The archive")->required();
    addEditOptions(update);
    update->add_option("INPUT", inputs, "Files, named by their names, and folders, with their trees")->required();

    auto* remove = app.add_subcommand("delete", "Remove the entries of these stored names");
    remove->add_option("ARCHIVE", archive, "The archive")->required();
    addEditOptions(remove);
    remove
        ->add_option("NAME", names,
                     "Stored names, folders (every entry below) or patterns with * and ?; case, and / for \\, "
                     "do not matter")
        ->required();
    addExactOption(remove);

    auto* check = app.add_subcommand("check", "Report what is wrong or unusual in an archive");
    check->add_option("ARCHIVE", archive, "The archive")->required();

    std::string newer;
    std::string shipTo;
    auto* diff = app.add_subcommand("diff", "Show what differs between two archives: A added, D removed, "
                                            "M changed, S respelled; exit 1 when they differ");
    diff->add_option("OLD", archive, "The old archive")->required();
    diff->add_option("NEW", newer, "The new archive")->required();
    diff->add_option("--extract", shipTo, "Also write NEW's added and changed entries below this folder");

    auto* help = app.add_subcommand("help", "Show this help, or a command's");
    help->add_option("COMMAND", helpTopic, "The command to explain");

    if (!KnowsCommand(app, arguments)) {
        return kExitUsage;
    }
    // CLI11's parse of a vector takes the arguments from its back, as a stack, and so expects them in
    // reverse order; the UTF-8 arguments come in the order they were typed.
    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? kExitSuccess : kExitUsage;
    }

    if (help->parsed()) {
        // A topic that is no command is named as a mistyped command is.
        if (!helpTopic.empty() && !KnowsCommand(app, {helpTopic})) {
            return kExitUsage;
        }
        const auto named = std::as_const(app).get_subcommands(
            [&](const CLI::App* command) { return command->get_name() == helpTopic; });
        Write(Stream::Out, (named.empty() ? &app : named.front())->help());
        return kExitSuccess;
    }
    const Verbosity verbosity = quiet ? Verbosity::Quiet : verbose ? Verbosity::Verbose : Verbosity::Normal;

    std::unique_ptr<quarrow::Progress> progress;
    if (verbosity != Verbosity::Quiet && IsTerminal(Stream::Err)) {
        progress = std::make_unique<TerminalProgress>();
    } else {
        progress = std::make_unique<quarrow::NullProgress>();
    }

    // The commands that only read an archive take it from standard input too.
    std::optional<ArchiveFromInput> input;
    if (archive == kStandardInputName && (list->parsed() || extract->parsed() || check->parsed())) {
        input.emplace();
    }
    const auto archivePath = input ? input->Path() : PathFromArgument(archive);
    const NameMatching matching = exact ? NameMatching::Exact : NameMatching::FoldersAndPatterns;
    if (list->parsed()) {
        return RunList(archivePath, json ? ListFormat::Json : ListFormat::Lines);
    }
    if (extract->parsed()) {
        ExtractOptions options{.names = names,
                               .matching = matching,
                               .existing = keep ? ExistingFiles::Keep : ExistingFiles::Replace,
                               .toOutput = toOutput,
                               .verbosity = verbosity};
        if (toOutput && !destination.empty()) {
            options.names.insert(options.names.begin(), destination); // no folder: every operand names entries
        } else if (!destination.empty()) {
            options.destination = PathFromArgument(destination);
        }
        return RunExtract(archivePath, options, *progress);
    }
    if (pack->parsed()) {
        return RunPack(archivePath, Paths(inputs), *progress);
    }
    if (append->parsed()) {
        return RunAppend(archivePath, Paths(inputs), *progress);
    }
    const bool outputGiven =
        std::any_of(outputOptions.begin(), outputOptions.end(), [](const CLI::Option* o) { return o->count() > 0; });
    if (outputGiven && output.empty()) {
        ReportError("-o names no file; nothing was written");
        return kExitUsage;
    }
    const EditOptions edit{output.empty() ? std::filesystem::path() : PathFromArgument(output), dropAppended, matching};
    if (update->parsed()) {
        return RunUpdate(archivePath, edit, Paths(inputs), *progress);
    }
    if (remove->parsed()) {
        return RunDelete(archivePath, edit, names, *progress);
    }
    if (diff->parsed()) {
        return RunDiff(archivePath, PathFromArgument(newer),
                       shipTo.empty() ? std::filesystem::path() : PathFromArgument(shipTo), *progress);
    }
    return RunCheck(archivePath, *progress);
}

} // namespace

int main(int argc, char** argv) {
    WriteBytesUnchanged();
    // A file grown to the size limit then fails its write with a reason, rather than ending the run.
    IgnoreFileSizeLimitSignal();
    int code = kExitFailure;
    try {
        code = Run(Utf8Arguments(argc, argv));
    } catch (const quarrow::FileError& error) {
        ReportError(error.what());
        code = IsRefusal(error) ? kExitFailure : kExitIoFailure;
    } catch (const std::bad_alloc&) {
        ReportError("out of memory");
        code = kExitIoFailure;
    } catch (const std::exception& error) {
        ReportError(error.what());
        code = kExitFailure;
    }
    // What the run printed is part of its result: output that did not arrive is a failure.
    if (const std::error_code error = FlushOutput()) {
        ReportError("cannot write to the standard output: " + quarrow::SystemMessage(error));
        return kExitIoFailure;
    }
    return code;
}
