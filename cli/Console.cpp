#include "Console.hpp"

#include "Text.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace quarrow::cli {

namespace {

std::FILE* FileOf(Stream stream) { return stream == Stream::Out ? stdout : stderr; }

#ifdef _WIN32
HANDLE ConsoleOf(Stream stream) {
    HANDLE handle = GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}
#endif

} // namespace

void WriteBytesUnchanged() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void IgnoreFileSizeLimitSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::error_code FlushOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        return {errno != 0 ? errno : EIO, std::generic_category()};
    }
    return {};
}

bool IsTerminal(Stream stream) {
#ifdef _WIN32
    return ConsoleOf(stream) != nullptr;
#else
    return ::isatty(::fileno(FileOf(stream))) != 0;
#endif
}

std::size_t TerminalColumns(Stream stream) {
    constexpr std::size_t kUsual = 80;
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info{};
    HANDLE console = ConsoleOf(stream);
    if (console == nullptr || !GetConsoleScreenBufferInfo(console, &info)) {
        return kUsual;
    }
    return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
    winsize size{};
    if (::ioctl(::fileno(FileOf(stream)), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
        return kUsual;
    }
    return size.ws_col;
#endif
}

void Write(Stream stream, std::string_view utf8) {
#ifdef _WIN32
    if (HANDLE console = ConsoleOf(stream)) {
        std::fflush(FileOf(stream));
        const std::wstring wide = WideFromUtf8(utf8);
        DWORD written = 0;
        WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(utf8.data(), 1, utf8.size(), FileOf(stream));
    if (stream == Stream::Err) {
        std::fflush(stderr);
    }
}

void WriteData(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide != nullptr) {
        for (int i = 1; i < count; ++i) {
            arguments.push_back(Utf8FromWide(wide[i]));
        }
        LocalFree(wide);
    }
#else
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
#endif
    return arguments;
}

std::filesystem::path PathFromArgument(const std::string& argument) {
#ifdef _WIN32
    return PathFromWide(WideFromUtf8(argument));
#else
    return std::filesystem::path(argument);
#endif
}

std::string DisplayPath(const std::filesystem::path& path) { return Utf8FromWide(WideFromPath(path)); }

} // namespace quarrow::cli
