#include "cNoStatusBar.hpp"

#include "StatusBarPainter.hpp"

#include "RaisedError.hpp"
#include "Twips.hpp"

#include <algorithm>
#include <exception>

namespace quarrow::controls {

namespace {

// Every error but Create's carries this source.
std::wstring StatusBarSource() { return win32::ErrorSource(L".lumoStatusBar"); }

[[noreturn]] void RaiseInvalidPanel(const std::wstring& panel) {
    throw win32::RaisedError(cNoStatusBar::kErrorInvalidPanelIndex, StatusBarSource(),
                             L"Invalid Panel Index: " + panel);
}

// The text whose measured height, plus a margin, is the bar's height.
constexpr wchar_t kHeightSample[] = L"Xy";
constexpr int kBarHeightMargin = 10;

int MeasuredTextWidth(HDC dc, const std::wstring& text) {
    RECT rect{};
    DrawTextW(dc, text.c_str(), -1, &rect, DT_CALCRECT);
    return rect.right - rect.left;
}

int ImageListIconHeight(HIMAGELIST imageList) {
    IMAGEINFO image{};
    if (ImageList_GetImageInfo(imageList, 0, &image)) {
        return image.rcImage.bottom - image.rcImage.top;
    }
    int width = 0;
    int height = 0;
    return ImageList_GetIconSize(imageList, &width, &height) ? height : 0;
}

} // namespace

bool SystemSupportsThemes() {
    const DWORD version = GetVersion();
    const int major = LOBYTE(LOWORD(version));
    const int minor = HIBYTE(LOWORD(version));
    return major > 5 || (major == 5 && minor > 0);
}

cNoStatusBar::cNoStatusBar(bool themesAvailable) : themesAvailable_(themesAvailable), allowXPStyles_(themesAvailable) {}

void cNoStatusBar::Create(IStatusBarHost& host) {
    bool usable = false;
    try {
        usable = host.Hdc() != nullptr;
        host.ScaleWidth();
        host.ScaleHeight();
    } catch (const std::exception&) {
        usable = false;
    }
    if (!usable) {
        // The bar keeps the host it had: a bad host must not cost a good one.
        throw win32::RaisedError(kErrorInvalidHost, win32::ErrorSource(L".cNoStatusBar"),
                                 L"Invalid object passed to Create.");
    }
    host_ = &host;
    MeasureBarHeight();
    // Panels added before there was a host were measured without a font.
    for (Panel& panel : panels_) {
        MeasureIdealWidth(panel);
    }
    LayOut();
}

void cNoStatusBar::Draw() {
    const HDC dc = HostDc();
    if (!dc) {
        return;
    }
    const PixelRect bar = HostClientRect();
    const auto painter = BeginStatusBarPaint(StatusBarCanvas{host_->Hwnd(), dc, bar, host_->Font()}, allowXPStyles_);
    LayOut();
    if (simpleMode_) {
        painter->SimpleText(bar, simpleText_);
    } else {
        DrawPanels(*painter, dc, bar.right);
    }
    if (sizeGrip_) {
        painter->SizeGrip(bar);
    }
}

void cNoStatusBar::DrawPanels(StatusBarPainter& painter, HDC dc, int barRight) {
    // A snapshot, so that an owner-draw handler that changes the panels cannot pull them from under us.
    std::vector<PanelPaint> paints;
    std::vector<PixelRect> rects;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const Panel& panel = panels_[i];
        paints.push_back(
            PanelPaint{panel.rect, panel.text, panel.icon.Get(), iconSize_, panel.style, i + 1 == panels_.size()});
        rects.push_back(panel.rect);
    }
    const std::size_t drawn = CutPanelsAtBarEnd(rects, barRight);

    for (std::size_t i = 0; i < drawn; ++i) {
        PanelPaint& paint = paints[i];
        paint.rect = rects[i];
        painter.PanelBackground(paint);
        // Each panel starts with default drawing: one handler's choice is not the next panel's.
        bool doDefault = true;
        if ((paint.style & kPanelOwnerDraw) && OwnerDraw) {
            StatusPanelOwnerDraw event{
                dc,  static_cast<int>(i + 1), paint.rect.left, paint.rect.top, paint.rect.right, paint.rect.bottom,
                true};
            OwnerDraw(event);
            paint.rect = PixelRect{event.left, event.top, event.right, event.bottom};
            doDefault = event.doDefault;
        }
        if (doDefault) {
            painter.PanelContent(paint);
        }
    }
}

int cNoStatusBar::AddPanel(const StatusPanelSettings& settings, const std::optional<PanelRef>& before) {
    if (panels_.size() >= kMaxPanels) {
        throw win32::RaisedError(kErrorTooManyPanels, StatusBarSource(), L"Too many panels.");
    }
    const std::size_t position = before ? Resolve(*before) : panels_.size();

    Panel panel;
    panel.style = settings.style;
    panel.text = settings.text;
    panel.imageIndex = settings.imageIndex;
    panel.minWidth = settings.minWidth;
    panel.spring = settings.spring;
    panel.fitToContents = settings.fitToContents;
    panel.itemData = settings.itemData;
    panel.key = settings.key;
    panel.icon = IconOfImage(settings.imageIndex);
    MeasureIdealWidth(panel);

    panels_.insert(panels_.begin() + static_cast<std::ptrdiff_t>(position), std::move(panel));
    if (settings.spring) {
        for (std::size_t i = 0; i < panels_.size(); ++i) {
            panels_[i].spring = i == position;
        }
    }
    LayOut();
    Draw();
    return static_cast<int>(position) + 1;
}

void cNoStatusBar::RemovePanel(const PanelRef& panel) {
    panels_.erase(panels_.begin() + static_cast<std::ptrdiff_t>(Resolve(panel)));
    Draw();
}

void cNoStatusBar::SetLeftTopOffsets(int left, int top) {
    leftOffset_ = left;
    topOffset_ = top;
}

void cNoStatusBar::SetImageList(HIMAGELIST imageList) {
    imageSource_ = nullptr;
    imageList_ = imageList;
    if (imageList_) {
        iconSize_ = ImageListIconHeight(imageList_);
    }
}

void cNoStatusBar::SetImageList(IImageListSource& source) {
    imageSource_ = nullptr;
    imageList_ = nullptr;
    try {
        imageList_ = source.Handle();
    } catch (const std::exception&) {
        imageList_ = nullptr;
    }
    if (!imageList_) {
        return;
    }
    // An object that holds images its system list lacks must hand out the icons itself.
    if (source.Count() != ImageList_GetImageCount(imageList_)) {
        imageSource_ = &source;
    }
    iconSize_ = imageSource_ ? source.ImageHeight() : ImageListIconHeight(imageList_);
}

void cNoStatusBar::SetSimpleMode(bool simple) {
    simpleMode_ = simple;
    Draw();
}

void cNoStatusBar::SetSimpleText(std::wstring text) {
    simpleText_ = std::move(text);
    if (simpleMode_) {
        Draw();
    }
}

void cNoStatusBar::SetAllowXPStyles(bool allow) {
    if (allow && !themesAvailable_) {
        throw win32::RaisedError(kErrorNoXPStyles, StatusBarSource(),
                                 L"XP Styles not supported on this Windows installation.");
    }
    allowXPStyles_ = allow;
    Draw();
}

void cNoStatusBar::SetSizeGrip(bool show) {
    sizeGrip_ = show;
    Draw();
}

win32::FontSpec cNoStatusBar::Font() const { return host_ ? host_->Font() : win32::FontSpec{}; }

void cNoStatusBar::SetFont(const win32::FontSpec& font) {
    if (!host_) {
        return;
    }
    host_->SetFont(font);
    MeasureBarHeight();
}

int cNoStatusBar::Height() const { return barHeight_ * win32::TwipsPerPixelY(); }

PixelRect cNoStatusBar::GetPanelRect(const PanelRef& panel) const { return At(panel).rect; }

const std::wstring& cNoStatusBar::PanelKey(int index) const { return At(index).key; }

void cNoStatusBar::SetPanelKey(int index, std::wstring key) { At(index).key = std::move(key); }

bool cNoStatusBar::PanelExists(const PanelRef& panel) const noexcept {
    try {
        Resolve(panel);
        return true;
    } catch (...) {
        return false;
    }
}

int cNoStatusBar::PanelIndex(const PanelRef& panel) const { return static_cast<int>(Resolve(panel)) + 1; }

const std::wstring& cNoStatusBar::PanelText(const PanelRef& panel) const { return At(panel).text; }

void cNoStatusBar::SetPanelText(const PanelRef& panel, std::wstring text) {
    At(panel).text = std::move(text);
    Draw();
}

bool cNoStatusBar::PanelSpring(const PanelRef& panel) const { return At(panel).spring; }

void cNoStatusBar::SetPanelSpring(const PanelRef& panel, bool spring) {
    const std::size_t index = Resolve(panel);
    if (panels_[index].spring == spring) {
        return;
    }
    for (Panel& other : panels_) {
        other.spring = false;
    }
    panels_[index].spring = spring;
    MeasureIdealWidth(panels_[index]);
    LayOut();
}

bool cNoStatusBar::PanelFitToContents(const PanelRef& panel) const { return At(panel).fitToContents; }

void cNoStatusBar::SetPanelFitToContents(const PanelRef& panel, bool fit) {
    Panel& target = At(panel);
    if (target.fitToContents == fit) {
        return;
    }
    target.fitToContents = fit;
    MeasureIdealWidth(target);
    LayOut();
}

int cNoStatusBar::PanelIcon(const PanelRef& panel) const { return At(panel).imageIndex; }

void cNoStatusBar::SetPanelIcon(const PanelRef& panel, int imageIndex) {
    Panel& target = At(panel);
    target.icon.Reset();
    target.imageIndex = imageIndex;
    target.icon = IconOfImage(imageIndex);
    Draw();
}

HICON cNoStatusBar::PanelhIcon(const PanelRef& panel) const { return At(panel).icon.Get(); }

void cNoStatusBar::SetPanelhIcon(const PanelRef& panel, win32::UniqueIcon icon) {
    Panel& target = At(panel);
    if (icon.Get() == target.icon.Get()) {
        icon.Detach(); // the panel owns this icon already; replacing it would destroy it
    } else {
        target.icon = std::move(icon);
    }
    Draw();
}

UINT cNoStatusBar::PanelStyle(const PanelRef& panel) const { return At(panel).style; }

void cNoStatusBar::SetPanelStyle(const PanelRef& panel, UINT style) {
    At(panel).style = style;
    Draw();
}

int cNoStatusBar::PanelMinWidth(const PanelRef& panel) const { return At(panel).minWidth; }

int cNoStatusBar::PanelIdealWidth(const PanelRef& panel) const { return At(panel).idealWidth; }

void cNoStatusBar::SetPanelIdealWidth(const PanelRef& panel, int width) {
    At(panel).idealWidth = width;
    LayOut();
}

std::int32_t cNoStatusBar::PanelItemData(const PanelRef& panel) const { return At(panel).itemData; }

void cNoStatusBar::SetPanelItemData(const PanelRef& panel, std::int32_t data) { At(panel).itemData = data; }

std::size_t cNoStatusBar::Resolve(const PanelRef& panel) const {
    if (panel.IsIndex()) {
        const int index = panel.Index();
        if (index < 1 || index > PanelCount()) {
            RaiseInvalidPanel(panel.Text());
        }
        return static_cast<std::size_t>(index - 1);
    }
    const auto found = std::find_if(panels_.begin(), panels_.end(),
                                    [&](const Panel& candidate) { return candidate.key == panel.Key(); });
    if (found == panels_.end()) {
        RaiseInvalidPanel(panel.Text());
    }
    return static_cast<std::size_t>(found - panels_.begin());
}

PixelRect cNoStatusBar::HostClientRect() const { return PixelRect{0, 0, host_->ScaleWidth(), host_->ScaleHeight()}; }

void cNoStatusBar::MeasureIdealWidth(Panel& panel) const {
    const HDC dc = HostDc();
    panel.idealWidth = IdealPanelWidth(dc ? MeasuredTextWidth(dc, panel.text) : 0, panel.minWidth);
}

void cNoStatusBar::MeasureBarHeight() {
    const HDC dc = HostDc();
    if (!dc) {
        return;
    }
    RECT rect{};
    DrawTextW(dc, kHeightSample, 2, &rect, DT_CALCRECT);
    barHeight_ = rect.bottom - rect.top + kBarHeightMargin;
}

void cNoStatusBar::LayOut() {
    if (!host_ || panels_.empty()) {
        return;
    }
    PixelRect bar = HostClientRect();
    bar.left += leftOffset_;
    bar.top += topOffset_;
    std::vector<PanelLayoutInput> inputs;
    inputs.reserve(panels_.size());
    for (const Panel& panel : panels_) {
        inputs.push_back({panel.minWidth, panel.idealWidth, panel.fitToContents, panel.spring, bool(panel.icon)});
    }
    const std::vector<PixelRect> rects = LayOutStatusPanels(inputs, bar, iconSize_);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i].rect = rects[i];
    }
}

win32::UniqueIcon cNoStatusBar::IconOfImage(int imageIndex) const {
    if (imageIndex < 0) {
        return {};
    }
    if (imageSource_) {
        try {
            return imageSource_->ExtractIcon(imageIndex + 1);
        } catch (const std::exception&) {
            return {}; // an image the object cannot give is a panel without an icon
        }
    }
    if (imageList_) {
        return win32::UniqueIcon(ImageList_GetIcon(imageList_, imageIndex, ILD_NORMAL));
    }
    return {};
}

} // namespace quarrow::controls
