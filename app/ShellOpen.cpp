#include "ShellOpen.hpp"

#include <shellapi.h>

#include <string>

namespace quarrow::app {

std::error_code OpenWithAssociatedProgram(HWND owner, const std::filesystem::path& file) {
    const std::wstring path = file.wstring();
    const std::wstring folder = file.parent_path().wstring();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Without NOASYNC the launch may still be under way when the call returns, and fail unseen.
    // FLAG_NO_UI: the failure is ours to word, in the program's language.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpFile = path.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) {
        return {};
    }
    DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) {
        // Some shells report only through the old instance handle, a number at most 32.
        const auto code = static_cast<DWORD>(reinterpret_cast<INT_PTR>(info.hInstApp));
        error = code == SE_ERR_NOASSOC ? ERROR_NO_ASSOCIATION : ERROR_FILE_NOT_FOUND;
    }
    return {static_cast<int>(error), std::system_category()};
}

} // namespace quarrow::app
