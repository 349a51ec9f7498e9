#pragma once
// Runs a program to its end with its output streams captured, for tests of command-line tools.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quarrow::testing {

struct ProgramRun {
    int exitCode = -1;
    std::string out; // bytes as written
    std::string err;
};

// Arguments are UTF-8; the program starts in `folder` and reads `input` from its standard input.
ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder, std::string_view input = {});

// A program left running, for tests that stop it midway. Its output streams are discarded.
class RunningProgram {
public:
    RunningProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& folder);
    // Kills the program if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // False once the program has ended by itself.
    bool Running();
    // Ends the program at once, as kill -9 (TerminateProcess on Windows) does, and waits for its end.
    void Kill();
#ifndef _WIN32
    // Sends it `signal` (SIGINT as Ctrl+C does, SIGHUP as a closed terminal does) and waits for its end.
    void Stop(int signal);
    int Id() const { return pid_; }
#endif

private:
#ifdef _WIN32
    void* process_ = nullptr;
#else
    int pid_ = -1;
#endif
    bool ended_ = false;
};

} // namespace quarrow::testing
