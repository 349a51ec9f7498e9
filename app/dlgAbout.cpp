#include "dlgAbout.hpp"

#include "AboutText.hpp"
#include "FontSpec.hpp"
#include "ModalWindow.hpp"
#include "StandardControls.hpp"
#include "VersionInfo.hpp"

namespace quarrow::app {

namespace {

// The layout in twips.
constexpr SIZE kClientArea{7155, 5955};
constexpr TwipsRect kImage1{1080, 120, 1905, 1695};
constexpr TwipsRect kLabel1{3360, 240, 3435, 960};
constexpr TwipsRect kLblVer{3360, 1320, 840, 405};
constexpr TwipsRect kPicture1{1200, 2040, 5775, 1335};
constexpr TwipsRect kTxtBox{1200, 3600, 5775, 1935};
// Only the corner is fixed; the label takes the size of the string the version resource carries.
constexpr TwipsRect kLblCopyright{1200, 5640, 0, 0};
// The credit lines inside Picture1: the roles in one column, the names in the next.
constexpr TwipsRect kLabel2{240, 195, 1260, 375};
constexpr TwipsRect kLabel3{1680, 195, 3720, 375};
constexpr TwipsRect kLabel4{240, 735, 1260, 375};
constexpr TwipsRect kLabel5{1680, 735, 3720, 375};

win32::FontSpec Heiti(double points) {
    win32::FontSpec font;
    font.name = L"黑体";
    font.points = points;
    // Where 黑体 itself is missing, the charset steers the substitute to a font with Chinese glyphs.
    font.charset = GB2312_CHARSET;
    return font;
}

win32::FontSpec Tahoma() {
    win32::FontSpec font;
    font.name = L"Tahoma";
    font.points = 8;
    return font;
}

int Id(AboutControl control) { return static_cast<int>(control); }

class dlgAbout final : public ModalWindow {
public:
    dlgAbout() = default;
    ~dlgAbout() override { DestroyHandle(); }

    // Creates the window hidden, with its texts built from the running executable's version data.
    void Load(HWND owner) {
        const VersionInfo version = ReadVersionInfo();
        CreateFrame(kAboutWindowClass, L"关于", kClientArea, owner);
        const HWND window = Handle();

        // A DIB section keeps the picture's 24 bits per pixel rather than the screen's format.
        picture_.Reset(static_cast<HBITMAP>(
            LoadImageW(GetModuleHandleW(nullptr), L"ABOUT", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        CreateImage(window, Id(AboutControl::Image1), picture_.Get(), kImage1);

        CreateLabel(window, Id(AboutControl::Label1), std::wstring(kProgramTitle), kLabel1, titleFont_.Get());
        FitLabelToText(
            CreateLabel(window, Id(AboutControl::lblVer), VersionLabel(version), kLblVer, versionFont_.Get()));

        const HWND credits = CreateControlBox(window, Id(AboutControl::Picture1), kPicture1);
        CreateCreditLine(credits, kProgrammingCredit, AboutControl::Label2, kLabel2, AboutControl::Label3, kLabel3);
        CreateCreditLine(credits, kTestingCredit, AboutControl::Label4, kLabel4, AboutControl::Label5, kLabel5);

        txtBox_ = CreateReadOnlyTextBox(window, Id(AboutControl::txtBox), LegalNotice(), kTxtBox, noticeFont_.Get());
        FitLabelToText(CreateLabel(window, Id(AboutControl::lblCopyright), version.legalCopyright, kLblCopyright,
                                   copyrightFont_.Get()));
    }

private:
    void CreateCreditLine(HWND box, const CreditLine& credit, AboutControl roleLabel, const TwipsRect& roleAt,
                          AboutControl nameLabel, const TwipsRect& nameAt) {
        FitLabelToText(CreateLabel(box, Id(roleLabel), std::wstring(credit.role), roleAt, creditFont_.Get()));
        FitLabelToText(CreateLabel(box, Id(nameLabel), std::wstring(credit.name), nameAt, creditFont_.Get()));
    }

    HWND FocusTarget() const override { return txtBox_; }

    // The fonts and the picture outlive the controls that show them: the destructor destroys the window
    // before the members go.
    win32::UniqueFont titleFont_ = Heiti(26).Create();
    win32::UniqueFont versionFont_ = Heiti(9).Create();
    win32::UniqueFont creditFont_ = Heiti(12).Create();
    win32::UniqueFont copyrightFont_ = Tahoma().Create();
    win32::UniqueFont noticeFont_ = win32::FontSpec::MessageFont().Create();
    win32::UniqueBitmap picture_;
    HWND txtBox_ = nullptr;
};

} // namespace

void ShowAboutWindow(HWND owner) {
    dlgAbout window;
    window.Load(owner);
    window.RunModal();
}

void CloseAboutWindow(HWND owner) { CloseOwnedWindows(owner, kAboutWindowClass); }

} // namespace quarrow::app
