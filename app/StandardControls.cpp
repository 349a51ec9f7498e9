#include "StandardControls.hpp"

#include "Gdi.hpp"
#include "Twips.hpp"

#include <algorithm>
#include <system_error>

namespace quarrow::app {

namespace {

HWND CreateChild(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, const TwipsRect& at,
                 HWND parent, int id) {
    const RECT pixels = ToPixels(at);
    const HWND control =
        CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, pixels.left, pixels.top,
                        pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "the system refused to create a control");
    }
    return control;
}

void SetFont(HWND control, HFONT font) {
    if (font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

} // namespace

RECT ToPixels(const TwipsRect& rect) {
    const int left = win32::TwipsToPixelsX(rect.x);
    const int top = win32::TwipsToPixelsY(rect.y);
    return {left, top, left + win32::TwipsToPixelsX(rect.width), top + win32::TwipsToPixelsY(rect.height)};
}

HWND CreateLabel(HWND parent, int id, const std::wstring& text, const TwipsRect& at, HFONT font, DWORD style) {
    const HWND label = CreateChild(0, L"STATIC", text.c_str(), style | SS_NOPREFIX, at, parent, id);
    SetFont(label, font);
    return label;
}

HWND CreateReadOnlyTextBox(HWND parent, int id, const std::wstring& text, const TwipsRect& at, HFONT font) {
    const HWND textBox =
        CreateChild(WS_EX_CLIENTEDGE, L"EDIT", L"",
                    WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, at, parent, id);
    SetFont(textBox, font);
    // The text goes in after the font, so that the lines wrap by the font they are shown in.
    SetWindowTextW(textBox, text.c_str());
    return textBox;
}

HWND CreateTextBox(HWND parent, int id, const std::wstring& text, const TwipsRect& at, HFONT font) {
    const HWND textBox =
        CreateChild(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, at, parent, id);
    SetFont(textBox, font);
    return textBox;
}

HWND CreateImage(HWND parent, int id, HBITMAP bitmap, const TwipsRect& at) {
    const HWND image = CreateChild(0, L"STATIC", L"", SS_BITMAP, at, parent, id);
    if (bitmap) {
        SendMessageW(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    }
    return image;
}

HWND CreateControlBox(HWND parent, int id, const TwipsRect& at) {
    // A static control answers its children's colour requests with the window background, as a box of
    // labels should; clipping them keeps its own painting off them.
    return CreateChild(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CLIPCHILDREN, at, parent, id);
}

HWND CreateTitledFrame(HWND parent, int id, const std::wstring& title, const TwipsRect& at, HFONT font) {
    // A frame paints only its border and title. Transparent, it is not clipped out of its parent, which
    // paints the background inside it.
    const HWND frame =
        CreateChild(WS_EX_TRANSPARENT, L"BUTTON", title.c_str(), BS_GROUPBOX | WS_CLIPSIBLINGS, at, parent, id);
    SetFont(frame, font);
    SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return frame;
}

HWND CreatePushButton(HWND parent, int id, const std::wstring& caption, const TwipsRect& at, HFONT font) {
    const HWND button = CreateChild(0, L"BUTTON", caption.c_str(), BS_PUSHBUTTON | WS_TABSTOP, at, parent, id);
    SetFont(button, font);
    return button;
}

void FitLabelToText(HWND label) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(label, text.data(), length + 1)));

    const win32::WindowDC dc(label);
    if (!dc) {
        return;
    }
    const win32::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, 0, 0};
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);

    RECT current{};
    GetClientRect(label, &current);
    const int width = std::max<int>(current.right, needed.right);
    const int height = std::max<int>(current.bottom, needed.bottom);
    if (width != current.right || height != current.bottom) {
        SetWindowPos(label, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

HBRUSH PaintAsTextBox(HDC dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

} // namespace quarrow::app
