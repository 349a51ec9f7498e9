#include "RunProgram.hpp"

#include "TempDir.hpp"
#include "Text.hpp"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quarrow::testing {

namespace {

std::string ReadText(const std::filesystem::path& path) {
    const auto bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

#ifdef _WIN32
// The quoting that CommandLineToArgvW and the C runtime undo.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// With the system's reason, which tells a missing program from a system that refused to start one.
std::string CannotStart(const std::filesystem::path& program, DWORD error) {
    return "cannot start " + program.string() + ": error " + std::to_string(error);
}

HANDLE Inheritable(const std::filesystem::path& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE handle = CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open a capture file");
    }
    return handle;
}
#else
// The program's words, behind the emulator that a cross-built test runs its programs with (the
// kernel cannot start them itself).
std::vector<std::string> CommandWords(const std::filesystem::path& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> words;
#ifdef QUARROW_PROGRAM_EMULATOR
    // The host's own programs (a shell, say) run as they are.
    const std::string path = program.string();
    const bool hosts = path.starts_with("/bin/") || path.starts_with("/usr/bin/");
    const std::string emulator = hosts ? "" : QUARROW_PROGRAM_EMULATOR;
    for (std::size_t at = 0; at < emulator.size();) {
        const std::size_t end = std::min(emulator.find(' ', at), emulator.size());
        words.push_back(emulator.substr(at, end - at));
        at = end + 1;
    }
#endif
    words.push_back(program.string());
    words.insert(words.end(), arguments.begin(), arguments.end());
    return words;
}

// Started with posix_spawn rather than fork: a forked child of an emulated 32-bit test never gets
// as far as its exec under qemu-i386.
pid_t Spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            const std::filesystem::path& folder, const char* in, const char* out, const char* err) {
    std::vector<std::string> words = CommandWords(program, arguments);
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t child = 0;
    const int failed = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        throw std::runtime_error("cannot start " + program.string());
    }
    return child;
}
#endif

} // namespace

ProgramRun RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder, std::string_view input) {
    const TempDir capture;
    const auto inPath = capture / "in";
    const auto outPath = capture / "out";
    const auto errPath = capture / "err";
    WriteFileText(inPath, std::string(input));
    ProgramRun run;
#ifdef _WIN32
    std::wstring commandLine = Quoted(program.wstring());
    for (const auto& argument : arguments) {
        commandLine += L" " + Quoted(WideFromUtf8(argument));
    }
    HANDLE in = Inheritable(inPath, false);
    HANDLE out = Inheritable(outPath, true);
    HANDLE err = Inheritable(errPath, true);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, folder.c_str(), &startup, &process);
    const DWORD startError = started ? 0 : GetLastError();
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) {
        throw std::runtime_error(CannotStart(program, startError));
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.exitCode = static_cast<int>(code);
#else
    const pid_t child = Spawn(program, arguments, folder, inPath.c_str(), outPath.c_str(), errPath.c_str());
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = ReadText(outPath);
    run.err = ReadText(errPath);
    return run;
}

#ifdef _WIN32

RunningProgram::RunningProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                               const std::filesystem::path& folder) {
    std::wstring commandLine = Quoted(program.wstring());
    for (const auto& argument : arguments) {
        commandLine += L" " + Quoted(WideFromUtf8(argument));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        throw std::runtime_error(CannotStart(program, GetLastError()));
    }
    CloseHandle(process.hThread);
    process_ = process.hProcess;
}

RunningProgram::~RunningProgram() {
    if (!ended_) {
        Kill();
    }
    CloseHandle(static_cast<HANDLE>(process_));
}

bool RunningProgram::Running() {
    if (!ended_ && WaitForSingleObject(static_cast<HANDLE>(process_), 0) == WAIT_OBJECT_0) {
        ended_ = true;
    }
    return !ended_;
}

void RunningProgram::Kill() {
    TerminateProcess(static_cast<HANDLE>(process_), 137);
    WaitForSingleObject(static_cast<HANDLE>(process_), INFINITE);
    ended_ = true;
}

#else

RunningProgram::RunningProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                               const std::filesystem::path& folder) {
    pid_ = Spawn(program, arguments, folder, "/dev/null", "/dev/null", "/dev/null");
}

RunningProgram::~RunningProgram() {
    if (!ended_) {
        Kill();
    }
}

bool RunningProgram::Running() {
    int status = 0;
    if (!ended_ && ::waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
    }
    return !ended_;
}

void RunningProgram::Kill() { Stop(SIGKILL); }

void RunningProgram::Stop(int signal) {
    if (ended_) {
        return; // reaped: the number may already be another process's
    }
    ::kill(pid_, signal);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    ended_ = true;
}

#endif

} // namespace quarrow::testing
