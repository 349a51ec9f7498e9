#include "dlgFind.hpp"

#include "FontSpec.hpp"
#include "ModalWindow.hpp"
#include "SetWindowIcons.hpp"
#include "StandardControls.hpp"

namespace quarrow::app {

namespace {

// The layout in twips.
constexpr SIZE kClientArea{4800, 1395};
constexpr TwipsRect kLabel{120, 120, 4560, 255};
constexpr TwipsRect kPattern{120, 420, 4560, 315};
constexpr TwipsRect kFind{2280, 900, 1095, 375};
constexpr TwipsRect kCancel{3480, 900, 1095, 375};

class dlgFind final : public ModalWindow {
public:
    dlgFind() = default;
    ~dlgFind() override { DestroyHandle(); }

    void Load(HWND owner, const std::wstring& pattern) {
        CreateFrame(kFindWindowClass, L"查找档案", kClientArea, owner);
        const HWND window = Handle();
        CreateLabel(window, 0, L"档案名（可用 * 代表任意多个字符，? 代表一个字符）：", kLabel, font_.Get());
        pattern_ = CreateTextBox(window, kFindPatternId, pattern, kPattern, font_.Get());
        // The last pattern, selected, so that typing replaces it and Enter repeats it.
        SendMessageW(pattern_, EM_SETSEL, 0, -1);
        const HWND find = CreatePushButton(window, kFindButtonId, L"查找", kFind, font_.Get());
        SendMessageW(find, BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
        CreatePushButton(window, kFindCancelId, L"取消", kCancel, font_.Get());
    }

    std::optional<std::wstring> Result() const { return result_; }

private:
    HWND FocusTarget() const override { return pattern_; }

    // Tab between the controls, Enter for 查找 and Esc for 取消, as in any dialog box.
    bool TranslateKeys(MSG& msg) override { return IsDialogMessageW(Handle(), &msg) != FALSE; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            if (LOWORD(wParam) == kFindButtonId) {
                const int length = GetWindowTextLengthW(pattern_);
                std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
                text.resize(static_cast<std::size_t>(GetWindowTextW(pattern_, text.data(), length + 1)));
                if (!text.empty()) {
                    result_ = std::move(text);
                }
            }
            if (LOWORD(wParam) == kFindButtonId || LOWORD(wParam) == kFindCancelId) {
                PostMessageW(Handle(), WM_CLOSE, 0, 0);
                return 0;
            }
        }
        return ModalWindow::HandleMessage(message, wParam, lParam);
    }

    // The font outlives the controls: the destructor destroys the window before the members go.
    win32::UniqueFont font_ = win32::FontSpec::MessageFont().Create();
    HWND pattern_ = nullptr;
    std::optional<std::wstring> result_;
};

} // namespace

std::optional<std::wstring> AskFindPattern(HWND owner, const std::wstring& pattern) {
    dlgFind window;
    window.Load(owner, pattern);
    window.RunModal();
    return window.Result();
}

} // namespace quarrow::app
