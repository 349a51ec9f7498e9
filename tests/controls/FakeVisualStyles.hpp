#pragma once
// Stand-ins for the visual-style functions, so that every answer the system could give (a luna
// scheme, no visual styles, failing calls) can be tried on any machine.

#include "ModTypeWin.hpp"

#include <cwchar>
#include <string>

namespace quarrow::testing {

struct FakeVisualStyles {
    bool themed = true;
    bool themeDataOpens = true;
    std::wstring colorName = L"NormalColor"; // may hold NULs; what follows the first is not the name
    int opened = 0;
    int closed = 0;

    static FakeVisualStyles& Current() {
        static FakeVisualStyles current;
        return current;
    }

    static BOOL WINAPI IsAppThemed() { return Current().themed; }
    static HTHEME WINAPI OpenThemeData(HWND, LPCWSTR classes) {
        if (!Current().themeDataOpens || std::wcscmp(classes, L"ExplorerBar") != 0) {
            return nullptr;
        }
        ++Current().opened;
        return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(0x5EED));
    }
    static HRESULT WINAPI CloseThemeData(HTHEME) {
        ++Current().closed;
        return S_OK;
    }
    static HRESULT WINAPI GetCurrentThemeName(LPWSTR file, int fileSize, LPWSTR color, int colorSize, LPWSTR, int) {
        if (fileSize < 1 || colorSize < static_cast<int>(Current().colorName.size()) + 1) {
            return E_INVALIDARG;
        }
        file[0] = L'\0';
        std::wmemcpy(color, Current().colorName.data(), Current().colorName.size());
        color[Current().colorName.size()] = L'\0';
        return S_OK;
    }

    // The fake as a set of functions, and as the scheme detector the controls take.
    static controls::VisualStyleApi Api() {
        return {&IsAppThemed, &OpenThemeData, &CloseThemeData, &GetCurrentThemeName};
    }
    static controls::ColorScheme Detect(HWND hWnd) { return controls::SystemColorScheme(hWnd, Api()); }

    // Starts a test with a themed system whose scheme is `name`.
    static void Reset(std::wstring name = L"NormalColor") { Current() = FakeVisualStyles{true, true, std::move(name)}; }
};

} // namespace quarrow::testing
