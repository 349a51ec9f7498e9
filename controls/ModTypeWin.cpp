#include "ModTypeWin.hpp"

#include <array>

namespace quarrow::controls {

std::wstring ThemeColorName;

namespace {

constexpr int kNameCapacity = 260;

template <typename Fn> Fn Lookup(HMODULE module, const char* name) {
    if (!module) {
        return nullptr;
    }
    // The functions are known by their documented signatures; the cast through the generic
    // procedure type is how GetProcAddress results are used.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

struct ThemeData {
    ThemeData(const VisualStyleApi& api, HWND hWnd)
        : api_(api), handle_(api.openThemeData ? api.openThemeData(hWnd, L"ExplorerBar") : nullptr) {}
    ~ThemeData() {
        if (handle_ && api_.closeThemeData) {
            api_.closeThemeData(handle_);
        }
    }
    ThemeData(const ThemeData&) = delete;
    ThemeData& operator=(const ThemeData&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }

private:
    const VisualStyleApi& api_;
    HTHEME handle_;
};

} // namespace

VisualStyleLibrary::VisualStyleLibrary(const wchar_t* fileName) : module_(LoadLibraryW(fileName)) {
    const HMODULE module = module_.Get();
    api_.isAppThemed = Lookup<VisualStyleApi::IsAppThemedFn>(module, "IsAppThemed");
    api_.openThemeData = Lookup<VisualStyleApi::OpenThemeDataFn>(module, "OpenThemeData");
    api_.closeThemeData = Lookup<VisualStyleApi::CloseThemeDataFn>(module, "CloseThemeData");
    api_.getCurrentThemeName = Lookup<VisualStyleApi::GetCurrentThemeNameFn>(module, "GetCurrentThemeName");
}

void ReadThemeColorName(HWND hWnd, const VisualStyleApi& api) {
    const ThemeData theme(api, hWnd);
    if (!theme) {
        ThemeColorName = L"Classic";
        return;
    }
    std::array<wchar_t, kNameCapacity> themeFile{};
    std::array<wchar_t, kNameCapacity> colorName{};
    if (api.getCurrentThemeName) {
        // A failed query leaves the buffer empty, and an empty name is no scheme of its own.
        api.getCurrentThemeName(themeFile.data(), kNameCapacity, colorName.data(), kNameCapacity, nullptr, 0);
    }
    colorName.back() = L'\0';
    ThemeColorName = colorName.data();
}

bool AppIsThemed(const VisualStyleApi& api) { return api.isAppThemed && api.isAppThemed() != FALSE; }

ColorScheme SystemColorScheme(HWND hWnd, const VisualStyleApi& api) {
    ReadThemeColorName(hWnd, api);
    return SchemeForVisualStyle(AppIsThemed(api), ThemeColorName);
}

ColorScheme SystemColorScheme(HWND hWnd) {
    const VisualStyleLibrary library;
    return SystemColorScheme(hWnd, library.Api());
}

} // namespace quarrow::controls
