#pragma once
// Which colour scheme the system's visual style calls for. The visual-style functions are looked up at
// run time, so that a system without them (or with the library missing) simply counts as "Classic";
// no failure of theirs ever reaches the caller.

#include "Handles.hpp"
#include "ToolbarSchemes.hpp"

#include <windows.h>
#include <uxtheme.h>

#include <string>

namespace quarrow::controls {

// The colour-scheme name of the current visual style as last read by ReadThemeColorName ("NormalColor",
// "HomeStead", "Metallic", …), or "Classic" when no visual-style data could be opened.
extern std::wstring ThemeColorName;

// The visual-style functions the detection needs; any of them may be missing.
struct VisualStyleApi {
    using IsAppThemedFn = BOOL(WINAPI*)();
    using OpenThemeDataFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HTHEME);
    using GetCurrentThemeNameFn = HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int);

    IsAppThemedFn isAppThemed = nullptr;
    OpenThemeDataFn openThemeData = nullptr;
    CloseThemeDataFn closeThemeData = nullptr;
    GetCurrentThemeNameFn getCurrentThemeName = nullptr;
};

// The visual-style library, loaded for as long as the object lives.
class VisualStyleLibrary {
public:
    explicit VisualStyleLibrary(const wchar_t* fileName = L"uxtheme.dll");
    const VisualStyleApi& Api() const { return api_; }

private:
    win32::UniqueModule module_;
    VisualStyleApi api_;
};

// Opens the "ExplorerBar" visual-style data for `hWnd` and keeps the current colour-scheme name in
// ThemeColorName; "Classic" when the data cannot be opened.
void ReadThemeColorName(HWND hWnd, const VisualStyleApi& api);

// Whether visual styles are active for the program; false when that cannot be asked.
bool AppIsThemed(const VisualStyleApi& api);

// ReadThemeColorName, then the scheme that the style and AppIsThemed call for.
ColorScheme SystemColorScheme(HWND hWnd, const VisualStyleApi& api);
// The same with the system's own visual-style library.
ColorScheme SystemColorScheme(HWND hWnd);

} // namespace quarrow::controls
