// Code page 936 through the Windows API, independent of the process's ANSI code page.
#include "Cp936.hpp"

#include <windows.h>

#include <climits>

namespace quarrow::cp936 {

namespace {
constexpr UINT kCodePage = 936;
}

std::optional<std::string> Encode(std::wstring_view text) {
    if (text.empty()) {
        return std::string();
    }
    if (text.size() > INT_MAX / 2) {
        return std::nullopt;
    }
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), needed, nullptr,
                        &usedDefault);
    if (usedDefault) {
        return std::nullopt;
    }
    // A character that the code page maps one way only (a best fit the flag did not catch) would come
    // back different: such text is not representable.
    if (Decode(bytes) != std::wstring(text)) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::wstring> Decode(std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (bytes.size() > INT_MAX) {
        return std::nullopt;
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), length, text.data(), needed);
    return text;
}

} // namespace quarrow::cp936
