#include "SetWindowIcons.hpp"

namespace quarrow::app {

namespace {

HWND TopLevelOwner(HWND window) {
    HWND owner = window;
    while (HWND next = GetWindow(owner, GW_OWNER)) {
        owner = next;
    }
    return owner;
}

void SendIcon(HWND window, HWND topLevelOwner, const wchar_t* resourceName, WPARAM which, int width, int height) {
    const auto icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resourceName, IMAGE_ICON, width, height, LR_SHARED));
    if (topLevelOwner) {
        SendMessageW(topLevelOwner, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

} // namespace

void SetWindowIcons(HWND window, const wchar_t* resourceName, bool topLevelOwnerToo) {
    const HWND owner = topLevelOwnerToo ? TopLevelOwner(window) : nullptr;
    // The window itself is its own top-level owner when it has none: it gets the icon once.
    const HWND distinctOwner = owner != window ? owner : nullptr;
    SendIcon(window, distinctOwner, resourceName, ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    SendIcon(window, distinctOwner, resourceName, ICON_SMALL, GetSystemMetrics(SM_CXSMICON),
             GetSystemMetrics(SM_CYSMICON));
}

} // namespace quarrow::app
