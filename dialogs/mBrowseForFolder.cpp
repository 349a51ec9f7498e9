#include "mBrowseForFolder.hpp"

#include "DialogErrors.hpp"
#include "RaisedError.hpp"
#include "cBrowseForFolder.hpp"

#include <cstdint>
#include <exception>

namespace quarrow::dialogs::mBrowseForFolder {

namespace {

constexpr wchar_t kPathInvalidPrefix[] = L"Path invalid: ";

std::wstring WideFromAnsi(const char* text) {
    if (!text) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

void SetStatusLine(HWND dialog, const std::wstring& text) {
    SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DisableOk(HWND dialog) { SendMessageW(dialog, BFFM_ENABLEOK, 0, FALSE); }

} // namespace

int CALLBACK BrowseCallbackProc(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
    auto* browser = reinterpret_cast<cBrowseForFolder*>(data);
    try {
        switch (message) {
        case BFFM_INITIALIZED:
            if (browser) {
                if (const PCIDLIST_ABSOLUTE initial = browser->InitialItemList()) {
                    SendMessageW(hwnd, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(initial));
                }
                browser->DialogInitialized(hwnd);
            }
            return 0;
        case BFFM_SELCHANGED: {
            const std::wstring path = PathFromItemList(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
            SetStatusLine(hwnd, path);
            if (browser && !browser->RaiseSelectionChanged(path)) {
                DisableOk(hwnd);
            }
            return 0;
        }
        case BFFM_VALIDATEFAILEDW:
        case BFFM_VALIDATEFAILEDA: {
            DisableOk(hwnd);
            const std::wstring typed = message == BFFM_VALIDATEFAILEDW
                                           ? std::wstring(reinterpret_cast<const wchar_t*>(lParam))
                                           : WideFromAnsi(reinterpret_cast<const char*>(lParam));
            const std::wstring text = kPathInvalidPrefix + typed;
            SetStatusLine(hwnd, text);
            return browser && browser->RaiseValidationFailed(text) ? 1 : 0;
        }
        default: return 0;
        }
    } catch (...) {
        if (browser) {
            browser->AbandonAfterHandlerError(hwnd, std::current_exception());
        }
        return 0;
    }
}

std::wstring PathFromItemList(PCIDLIST_ABSOLUTE itemList) {
    if (!itemList) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(itemList, path)) {
        return {};
    }
    return path;
}

std::wstring FullPathName(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            const DWORD code = GetLastError();
            throw win32::RaisedError(static_cast<std::int32_t>(kFullPathFailureBase + code),
                                     win32::ErrorSource(kBrowseForFolderSuffix), RaisedSystemText(code));
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length); // the size it asks for, terminator included
    }
}

win32::UniqueItemList ItemListFromPath(std::wstring& path) {
    path = FullPathName(path);
    PIDLIST_ABSOLUTE list = nullptr;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &list, 0, nullptr))) {
        return {};
    }
    return win32::UniqueItemList(list);
}

} // namespace quarrow::dialogs::mBrowseForFolder
