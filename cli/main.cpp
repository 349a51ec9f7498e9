// quarrow-cli: list, extract, pack, append to, update, delete from and check PAK archives from the
// command line.
#include "Commands.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "SystemMessage.hpp"
#include "TerminalProgress.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <memory>

namespace {

using namespace quarrow::cli;

std::vector<std::filesystem::path> Paths(const std::vector<std::string>& arguments) {
    std::vector<std::filesystem::path> paths;
    for (const auto& argument : arguments) {
        paths.push_back(PathFromArgument(argument));
    }
    return paths;
}

int Run(std::vector<std::string> arguments) {
    CLI::App app{"Lists, extracts, packs, appends to, edits and checks the PAK archives of 三国群英传II.",
                 "quarrow-cli"};
    app.set_version_flag("--version", QUARROW_VERSION);
    app.require_subcommand(1);

    std::string archive;
    std::string destination;
    std::string output;
    bool dropAppended = false;
    std::vector<std::string> inputs;
    std::vector<std::string> names;

    auto* list = app.add_subcommand("list", "Show the index: size, data offset and stored name of each entry");
    list->add_option("ARCHIVE", archive, "The archive")->required();

    auto* extract = app.add_subcommand("extract", "Write every entry, or the named ones, below a folder");
    extract->add_option("ARCHIVE", archive, "The archive")->required();
    extract->add_option("DIR", destination, "The folder to extract into")->required();
    extract->add_option("NAME", names, "Only the entries of these stored names (case, and / for \\, do not matter)");

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
    remove->add_option("NAME", names, "Stored names (case, and / for \\, do not matter)")->required();

    auto* check = app.add_subcommand("check", "Report what is wrong or unusual in an archive");
    check->add_option("ARCHIVE", archive, "The archive")->required();

    // CLI11's parse of a vector takes the arguments from its back, as a stack, and so expects them in
    // reverse order; the UTF-8 arguments come in the order they were typed.
    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? kExitSuccess : kExitUsage;
    }

    std::unique_ptr<quarrow::Progress> progress;
    if (IsTerminal(Stream::Err)) {
        progress = std::make_unique<TerminalProgress>();
    } else {
        progress = std::make_unique<quarrow::NullProgress>();
    }

    const auto archivePath = PathFromArgument(archive);
    if (list->parsed()) {
        return RunList(archivePath);
    }
    if (extract->parsed()) {
        return RunExtract(archivePath, PathFromArgument(destination), names, *progress);
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
    const EditOptions edit{output.empty() ? std::filesystem::path() : PathFromArgument(output), dropAppended};
    if (update->parsed()) {
        return RunUpdate(archivePath, edit, Paths(inputs), *progress);
    }
    if (remove->parsed()) {
        return RunDelete(archivePath, edit, names, *progress);
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
    } catch (const std::exception& error) {
        ReportError(error.what());
        code = kExitFailure;
    }
    // What the run printed is part of its result: output that did not arrive is a failure.
    if (const std::error_code error = FlushOutput()) {
        ReportError("cannot write to the standard output: " + quarrow::SystemMessage(error));
        return kExitFailure;
    }
    return code;
}
