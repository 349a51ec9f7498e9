#include "SecondaryWindow.hpp"

#include "CentredPlacement.hpp"
#include "StandardControls.hpp"
#include "WindowPlacement.hpp"
#include "ThreadWindows.hpp"
#include "Twips.hpp"

#include <iterator>
#include <string_view>
#include <system_error>
#include <utility>

namespace quarrow::app {

namespace {

constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME;

bool IsTextBox(HWND control) {
    wchar_t className[16];
    return GetClassNameW(control, className, static_cast<int>(std::size(className))) > 0 &&
           CompareStringOrdinal(className, -1, L"Edit", -1, TRUE) == CSTR_EQUAL;
}

} // namespace

void SecondaryWindow::CreateFrame(const wchar_t* className, const wchar_t* caption, SIZE clientTwips, HWND owner) {
    RegisterWindowClass(className, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
    const SIZE frameSize = FrameSizeFor(win32::TwipsToPixelsX(clientTwips.cx), win32::TwipsToPixelsY(clientTwips.cy),
                                        kFrameStyle, kFrameExStyle);
    const POINT at = CentredOnOwner(owner ? GetAncestor(owner, GA_ROOT) : nullptr, frameSize);
    if (!CreateHandle(kFrameExStyle, className, caption, kFrameStyle, at.x, at.y, frameSize.cx, frameSize.cy, owner)) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "the system refused to create a window");
    }
}

LRESULT SecondaryWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
        // The system greys read-only text boxes; these keep the look of a text box, white for reading.
        if (IsTextBox(reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(PaintAsTextBox(reinterpret_cast<HDC>(wParam)));
        }
        break;
    case WM_SETFOCUS:
        if (const HWND target = FocusTarget()) {
            SetFocus(target);
            return 0;
        }
        break;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

std::vector<HWND> OwnedWindows(HWND owner, const wchar_t* className) {
    if (!owner || !IsWindow(owner)) {
        return {};
    }
    // A window owned through one of the owner's controls is owned by the owner itself.
    const HWND root = GetAncestor(owner, GA_ROOT);
    const std::wstring_view wanted(className);
    std::vector<HWND> found;
    win32::ForEachThreadWindow(GetWindowThreadProcessId(owner, nullptr), [&](HWND window) {
        wchar_t name[64];
        const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
        if (GetWindow(window, GW_OWNER) == root &&
            std::wstring_view(name, static_cast<std::size_t>(length)) == wanted) {
            found.push_back(window);
        }
        return true;
    });
    return found;
}

void CloseOwnedWindows(HWND owner, const wchar_t* className) {
    for (const HWND window : OwnedWindows(owner, className)) {
        SendMessageW(window, WM_CLOSE, 0, 0);
    }
}

} // namespace quarrow::app
