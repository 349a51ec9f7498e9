#pragma once
// Runs a program to its end with its output streams captured, for tests of command-line tools.

#include <filesystem>
#include <string>
#include <vector>

namespace quarrow::testing {

struct ProgramRun {
    int exitCode = -1;
    std::string out; // bytes as written
    std::string err;
};

// Arguments are UTF-8; the program starts in `folder` with no input.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);

} // namespace quarrow::testing
