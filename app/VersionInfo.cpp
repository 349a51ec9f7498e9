#include "VersionInfo.hpp"

#include <windows.h>

#include <vector>

namespace quarrow::app {

std::wstring VersionInfo::Text() const {
    return std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." + std::to_wstring(revision);
}

namespace {

// The first string table's value of `name`; the table is found through the translation list rather
// than assumed, so a resource in any language serves.
std::wstring StringValue(const std::vector<BYTE>& data, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size) ||
        size < sizeof(Translation)) {
        return {};
    }
    wchar_t path[64];
    swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language, translations[0].codePage, name);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &length) || !value) {
        return {};
    }
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

} // namespace

VersionInfo ReadVersionInfo() {
    VersionInfo info;
    wchar_t module[MAX_PATH * 4];
    const DWORD moduleLength = GetModuleFileNameW(nullptr, module, static_cast<DWORD>(std::size(module)));
    if (moduleLength == 0 || moduleLength >= std::size(module)) {
        return info;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module, &ignored);
    if (size == 0) {
        return info;
    }
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(module, 0, size, data.data())) {
        return info;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed &&
        fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
        info.major = HIWORD(fixed->dwFileVersionMS);
        info.minor = LOWORD(fixed->dwFileVersionMS);
        info.revision = HIWORD(fixed->dwFileVersionLS);
    }
    info.legalCopyright = StringValue(data, L"LegalCopyright");
    return info;
}

} // namespace quarrow::app
