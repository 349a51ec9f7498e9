#include "dlgHelp.hpp"

#include "FontSpec.hpp"
#include "HelpText.hpp"
#include "ModalWindow.hpp"
#include "StandardControls.hpp"

namespace quarrow::app {

namespace {

// The layout in twips.
constexpr SIZE kClientArea{8145, 5880};
constexpr TwipsRect kText1{120, 120, 7935, 5655};

class dlgHelp final : public ModalWindow {
public:
    dlgHelp() = default;
    ~dlgHelp() override { DestroyHandle(); }

    // Creates the window hidden, with the usage notes in its text box.
    void Load(HWND owner) {
        CreateFrame(kHelpWindowClass, L"使用说明", kClientArea, owner);
        Text1_ = CreateReadOnlyTextBox(Handle(), kHelpText1Id, UsageText(), kText1, textFont_.Get());
    }

private:
    HWND FocusTarget() const override { return Text1_; }

    // The font outlives the text box: the destructor destroys the window before the members go.
    win32::UniqueFont textFont_ = win32::FontSpec::MessageFont().Create();
    HWND Text1_ = nullptr;
};

} // namespace

void ShowHelpWindow(HWND owner) {
    dlgHelp window;
    window.Load(owner);
    window.RunModal();
}

void CloseHelpWindow(HWND owner) { CloseOwnedWindows(owner, kHelpWindowClass); }

} // namespace quarrow::app
