#include "RaisedError.hpp"

#include "Text.hpp"

#include <windows.h>

#include <vector>

namespace quarrow::win32 {

namespace {

std::string Summary(std::int32_t number, const std::wstring& source, const std::wstring& description) {
    return Utf8FromWide(source) + " error " + std::to_string(number) + ": " + Utf8FromWide(description);
}

} // namespace

RaisedError::RaisedError(std::int32_t number, std::wstring source, std::wstring description)
    : std::runtime_error(Summary(number, source, description)), number_(number), source_(std::move(source)),
      description_(std::move(description)) {}

std::wstring ExecutableName() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    std::wstring path(buffer.begin(), buffer.end());
    const auto slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    return name;
}

std::wstring ErrorSource(std::wstring_view classSuffix) { return ExecutableName() + std::wstring(classSuffix); }

} // namespace quarrow::win32
