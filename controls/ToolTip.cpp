#include "ToolTip.hpp"

#include <commctrl.h>

namespace quarrow::controls {

namespace {

TTTOOLINFOW ToolInfo(HWND tool, wchar_t* text) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    return info;
}

} // namespace

bool ToolTip::EnsureControl() {
    if (tip_) {
        return true;
    }
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    tip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tool_, nullptr,
                               GetModuleHandleW(nullptr), nullptr));
    if (!tip_) {
        return false;
    }
    TTTOOLINFOW info = ToolInfo(tool_, const_cast<wchar_t*>(L""));
    return SendMessageW(tip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void ToolTip::SetText(const std::wstring& text) {
    if (text == text_) {
        return;
    }
    if (text.empty() && !tip_) {
        text_.clear();
        return;
    }
    if (!EnsureControl()) {
        return;
    }
    text_ = text;
    TTTOOLINFOW info = ToolInfo(tool_, text_.data());
    SendMessageW(tip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip_.Get(), TTM_ACTIVATE, text_.empty() ? FALSE : TRUE, 0);
}

std::wstring ToolTip::ShownText() const {
    if (!tip_) {
        return {};
    }
    std::wstring text(1024, L'\0');
    TTTOOLINFOW info = ToolInfo(tool_, text.data());
    SendMessageW(tip_.Get(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

} // namespace quarrow::controls
