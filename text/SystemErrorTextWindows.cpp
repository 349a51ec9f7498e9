#include "SystemErrorText.hpp"

#include <windows.h>

#include <memory>
#include <optional>

namespace quarrow {

namespace {

struct LocalFreer {
    void operator()(wchar_t* text) const { LocalFree(text); }
};

// The Win32 code that a C runtime error number stands for, as the system would have reported the same
// failure. Only the numbers that files, folders and memory give are listed.
std::optional<DWORD> Win32CodeOf(std::errc error) {
    switch (error) {
    case std::errc::no_such_file_or_directory: return ERROR_FILE_NOT_FOUND;
    case std::errc::not_a_directory: return ERROR_DIRECTORY;
    // Windows refuses a directory opened as a file, and a file it may not touch, as a denied access.
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
    case std::errc::is_a_directory: return ERROR_ACCESS_DENIED;
    case std::errc::read_only_file_system: return ERROR_WRITE_PROTECT;
    case std::errc::no_space_on_device: return ERROR_DISK_FULL;
    case std::errc::io_error: return ERROR_IO_DEVICE;
    case std::errc::device_or_resource_busy: return ERROR_BUSY;
    case std::errc::text_file_busy: return ERROR_SHARING_VIOLATION;
    case std::errc::no_lock_available: return ERROR_LOCK_VIOLATION;
    case std::errc::file_exists: return ERROR_FILE_EXISTS;
    case std::errc::directory_not_empty: return ERROR_DIR_NOT_EMPTY;
    case std::errc::filename_too_long: return ERROR_FILENAME_EXCED_RANGE;
    case std::errc::too_many_files_open:
    case std::errc::too_many_files_open_in_system: return ERROR_TOO_MANY_OPEN_FILES;
    case std::errc::not_enough_memory: return ERROR_NOT_ENOUGH_MEMORY;
    case std::errc::invalid_argument: return ERROR_INVALID_PARAMETER;
    case std::errc::cross_device_link: return ERROR_NOT_SAME_DEVICE;
    case std::errc::bad_file_descriptor: return ERROR_INVALID_HANDLE;
    case std::errc::too_many_symbolic_link_levels: return ERROR_CANT_RESOLVE_FILENAME;
    case std::errc::no_such_device: return ERROR_DEV_NOT_EXIST;
    case std::errc::function_not_supported:
    case std::errc::not_supported:
    case std::errc::operation_not_supported: return ERROR_NOT_SUPPORTED;
    case std::errc::operation_canceled: return ERROR_OPERATION_ABORTED;
    case std::errc::broken_pipe: return ERROR_BROKEN_PIPE;
    case std::errc::timed_out: return ERROR_TIMEOUT;
    default: return std::nullopt;
    }
}

} // namespace

std::wstring SystemErrorText(std::uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

std::wstring SystemErrorText(std::error_code error) {
    if (error.category() == std::system_category()) {
        return SystemErrorText(static_cast<std::uint32_t>(error.value()));
    }
    if (error.category() == std::generic_category()) {
        if (const std::optional<DWORD> code = Win32CodeOf(static_cast<std::errc>(error.value()))) {
            return SystemErrorText(*code);
        }
    }
    return {};
}

} // namespace quarrow
