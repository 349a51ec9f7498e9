#include "RunProgram.hpp"

#include "TempDir.hpp"
#include "Text.hpp"

#include <cerrno>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
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

HANDLE Inheritable(const std::filesystem::path& path, bool write) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE handle = CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot open a capture file");
    }
    return handle;
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
    CloseHandle(in);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) {
        throw std::runtime_error("cannot start " + program.string());
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.exitCode = static_cast<int>(code);
#else
    const std::string programText = program.string();
    const std::string folderText = folder.string();
    std::vector<char*> argv{const_cast<char*>(programText.c_str())};
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::chdir(folderText.c_str()) != 0) {
            ::_exit(127);
        }
        const int in = ::open(inPath.c_str(), O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) {
            ::_exit(127);
        }
        ::execv(programText.c_str(), argv.data());
        ::_exit(127);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " + programText);
    }
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
        throw std::runtime_error("cannot start " + program.string());
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
    const std::string programText = program.string();
    const std::string folderText = folder.string();
    std::vector<char*> argv{const_cast<char*>(programText.c_str())};
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        if (::chdir(folderText.c_str()) != 0 || null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0 ||
            ::dup2(null, 2) < 0) {
            ::_exit(127);
        }
        ::execv(programText.c_str(), argv.data());
        ::_exit(127);
    }
    if (pid_ < 0) {
        throw std::runtime_error("cannot start " + programText);
    }
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
