#pragma once
// The command line's side of the system: arguments and output in UTF-8 on every system, written to
// a Windows console as Unicode.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quarrow::cli {

enum class Stream { Out, Err };

// Output bytes go out as written: lines end in "\n" on every system, so that scripts see the same
// text everywhere.
void WriteBytesUnchanged();

// Lets a write beyond the file-size limit fail with its reason instead of ending the process.
void IgnoreFileSizeLimitSignal();

// Hands what was written to the standard output to the system; the reason when it did not all arrive.
std::error_code FlushOutput();

bool IsTerminal(Stream stream);
// How many columns the terminal of `stream` has; 80 when it does not say.
std::size_t TerminalColumns(Stream stream);
void Write(Stream stream, std::string_view utf8);
// Bytes of a file to the output, as they are, whatever the output is.
void WriteData(std::string_view bytes);

// The program's arguments (without its name) in UTF-8. On Windows they come from the Unicode command
// line, so that no name is lost to the ANSI code page.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A path named on the command line: the bytes as given on POSIX systems, the Unicode text on Windows.
std::filesystem::path PathFromArgument(const std::string& argument);

// A path for messages, in UTF-8.
std::string DisplayPath(const std::filesystem::path& path);

} // namespace quarrow::cli
