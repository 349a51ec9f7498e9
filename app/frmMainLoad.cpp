// Loading the main window: the frame, the toolbars with their buttons, the entry list and the status bar.

#include "frmMain.hpp"

#include "SetWindowIcons.hpp"
#include "StatusTexts.hpp"
#include "ToolbarPictures.hpp"
#include "VersionInfo.hpp"
#include "CentredPlacement.hpp"
#include "WindowPlacement.hpp"

#include "PropertyBag.hpp"
#include "Twips.hpp"

#include <shellapi.h>

#include <stdexcept>

namespace quarrow::app {

namespace {

using win32::TwipsToPixelsX;
using win32::TwipsToPixelsY;

// A fixed single border with a minimise box and no maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kListId = 100;

controls::PropertyBag ButtonSettings(const ToolbarButtonLayout& item) {
    controls::PropertyBag bag;
    bag.Write(L"State", std::int32_t{item.stateAtLoad}, std::int32_t{kEnabled});
    bag.Write(L"Caption", std::wstring(item.caption), std::wstring());
    bag.Write(L"Picture", ToolbarPicture(item.name), controls::Picture());
    return bag;
}

} // namespace

void frmMain::LoadWindow() {
    RegisterWindowClass(kClassName, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
    const int clientWidth = TwipsToPixelsX(layout::kClientWidth);
    const int clientHeight = TwipsToPixelsY(layout::kClientHeight);
    const SIZE frame = FrameSizeFor(clientWidth, clientHeight, kStyle, 0);
    const POINT at = CentredOnOwner(nullptr, frame); // on the screen
    captionBase_ = L"Quarrow V" + ReadVersionInfo().Text();
    if (!CreateHandle(0, kClassName, captionBase_.c_str(), kStyle, at.x, at.y, frame.cx, frame.cy, nullptr)) {
        throw std::runtime_error("the main window could not be created");
    }
    bSaved_ = false;
    SetWindowIcons(Handle(), L"Main", true);
    LoadToolbars(clientWidth);
    LoadEntryList(clientWidth);
    LoadStatusBar(clientWidth, clientHeight);
    // Files dropped anywhere on the window reach it, the list included: posted by a program that
    // drops the old way, or dragged with the system's drag and drop.
    DragAcceptFiles(Handle(), TRUE);
    dropTarget_ = std::make_unique<FileDropTarget>(
        Handle(), [this](const std::vector<std::wstring>& paths) { DropFiles(paths); });
}

void frmMain::LoadToolbars(int clientWidth) {
    const int stripHeight = TwipsToPixelsY(layout::kToolbarHeight);
    JCToolbar1_ = std::make_unique<controls::JCToolbar>(Handle(), 0, 0, clientWidth);
    JCToolbar4_ = std::make_unique<controls::JCToolbar>(Handle(), 0, stripHeight, clientWidth);
    for (controls::JCToolbar* strip : {JCToolbar1_.get(), JCToolbar4_.get()}) {
        strip->InitProperties();
    }
    for (const ToolbarButtonLayout& item : ToolbarButtons()) {
        controls::JCToolbar& strip = item.row == ToolbarRow::Top ? *JCToolbar1_ : *JCToolbar4_;
        auto button = std::make_unique<controls::ZID_Button>(strip.Handle(), TwipsToPixelsX(item.x), 0,
                                                             TwipsToPixelsX(item.width));
        button->ReadProperties(ButtonSettings(item));
        button->Click = [this, which = item.button] { Click(which); };
        buttons_[static_cast<std::size_t>(item.button)] = std::move(button);
    }
    separator_ =
        std::make_unique<controls::ucVertical3DLine>(JCToolbar1_->Handle(), TwipsToPixelsX(layout::kSeparatorX),
                                                     layout::kSeparatorTopPixels, layout::kSeparatorHeightPixels);
}

void frmMain::LoadEntryList(int clientWidth) {
    lstFile_ = std::make_unique<components::ListView>(Handle(), 0, TwipsToPixelsY(layout::kListTop), clientWidth,
                                                      TwipsToPixelsY(layout::kListHeight), kListId, rows_);
    for (const layout::ListColumn& column : layout::kListColumns) {
        lstFile_->AddColumn(column.header, TwipsToPixelsX(column.width));
    }
    lstFile_->KeyDown = [this](WORD key) { lstFile_KeyDown(key); };
    lstFile_->BeginDrag = [this] { lstFile_BeginDrag(); };
    lstFile_->RowActivated = [this](std::size_t row) { RunGuarded([&] { OpenRow(row); }); };
}

void frmMain::LoadStatusBar(int clientWidth, int clientHeight) {
    const int height = TwipsToPixelsY(layout::kStatusHeight);
    if (!picStatus_.Create(Handle(), 0, clientHeight - height, clientWidth, height)) {
        throw std::runtime_error("the status bar's picture box could not be created");
    }
    // In front of the entry list, whose last pixels it covers.
    SetWindowPos(picStatus_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    picStatus_.Paint = [this] { statusBar_.Draw(); };
    statusBar_.Create(picStatus_);
    for (const controls::StatusPanelSettings& panel : StatusPanels()) {
        statusBar_.AddPanel(panel);
    }
    statusBar_.SetSizeGrip(true);
}

} // namespace quarrow::app
