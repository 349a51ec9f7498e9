#include "SystemMessage.hpp"

#include "Text.hpp"

#include <windows.h>

#include <memory>

namespace quarrow {

namespace {

struct LocalFreer {
    void operator()(wchar_t* text) const { LocalFree(text); }
};

} // namespace

std::string SystemMessage(std::error_code error) {
    if (error.category() != std::system_category()) {
        return error.message();
    }
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(error.value()), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
    if (length == 0) {
        return "system error " + std::to_string(error.value());
    }
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return Utf8FromWide(text);
}

} // namespace quarrow
