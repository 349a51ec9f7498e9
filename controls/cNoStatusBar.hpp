#pragma once
// A status bar drawn into a host window it does not own (the main window's picture box): a row of
// panels with keys, texts, icons and frames, laid out across the host's width, painted with the
// visual style "Status" or in the classic look, with an optional size grip. It paints only when asked:
// the host forwards its paint requests to Draw, and the property writes named below draw at once.
//
// Panels are named by a PanelRef: a 1-based number, or a key (exact, case-sensitive; the first panel
// with that key). A panel that cannot be found raises RaisedError 0x8004041A "Invalid Panel Index: ".

#include "ImageListSource.hpp"
#include "PanelRef.hpp"
#include "StatusBarHost.hpp"
#include "StatusBarLayout.hpp"
#include "StatusPanelStyle.hpp"

#include "Handles.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarrow::controls {

class StatusBarPainter;

// The settings of a new panel. `style` takes the kPanel* bits: no borders, pop-out, right-to-left
// reading, owner-drawn. `imageIndex` is 0-based in the bar's image list; negative means no icon.
struct StatusPanelSettings {
    UINT style = 0;
    std::wstring text{};
    int imageIndex = -1;
    int minWidth = 0;
    bool spring = false;
    bool fitToContents = false;
    std::int32_t itemData = 0;
    std::wstring key{};
};

// Raised for an owner-drawn panel while the bar draws. The handler may move the rectangle that the
// default drawing then uses, or clear `doDefault` to leave the panel to itself.
struct StatusPanelOwnerDraw {
    HDC hdc = nullptr;
    int panel = 0; // 1-based
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool doDefault = true;
};

// True on systems with visual styles (version 5.1 and later).
bool SystemSupportsThemes();

class cNoStatusBar {
public:
    static constexpr int kMaxPanels = 255;

    static constexpr std::int32_t kErrorInvalidPanelIndex = static_cast<std::int32_t>(0x8004041A);
    static constexpr std::int32_t kErrorTooManyPanels = static_cast<std::int32_t>(0x8004041B);
    static constexpr std::int32_t kErrorNoXPStyles = static_cast<std::int32_t>(0x8004041C);
    static constexpr std::int32_t kErrorInvalidHost = 9;

    // `themesAvailable` is what the system offers; AllowXPStyles starts equal to it.
    explicit cNoStatusBar(bool themesAvailable = SystemSupportsThemes());
    cNoStatusBar(const cNoStatusBar&) = delete;
    cNoStatusBar& operator=(const cNoStatusBar&) = delete;

    // Attaches the host and measures the bar's height (and the ideal widths of the panels) in its font.
    // Raises error 9 when the host has no device context or its size cannot be read; the bar then
    // keeps the host it had.
    void Create(IStatusBarHost& host);

    // Paints the whole bar into the host. Does nothing before Create.
    void Draw();

    // Adds a panel at the end, or at the place of `before` (which moves one place back); returns its
    // 1-based number. A springing panel takes the spring from every other. Draws. Raises 0x8004041B
    // "Too many panels." when 255 panels are present, and leaves the bar unchanged on every failure.
    int AddPanel(const StatusPanelSettings& settings, const std::optional<PanelRef>& before = std::nullopt);
    // Removes a panel and destroys its icon. Draws.
    void RemovePanel(const PanelRef& panel);

    // Moves the panels' left and top edges into the host's client area. Takes effect at the next layout.
    void SetLeftTopOffsets(int left, int top);

    // The image list that panel icons come from (not owned; it must outlive the bar). Panels already
    // showing an icon keep it.
    void SetImageList(HIMAGELIST imageList);
    void SetImageList(IImageListSource& source);

    bool SimpleMode() const { return simpleMode_; }
    void SetSimpleMode(bool simple); // draws
    const std::wstring& SimpleText() const { return simpleText_; }
    void SetSimpleText(std::wstring text); // draws in simple mode

    // Whether the bar paints with the visual style when the system offers one. Setting it raises
    // 0x8004041C when the system has no visual styles. Draws.
    bool AllowXPStyles() const { return allowXPStyles_; }
    void SetAllowXPStyles(bool allow);

    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool show); // draws

    // The host's font. Writing it gives the host the new font and re-measures the bar's height; the
    // next Draw shows it. Before Create there is no font: reading gives an empty description.
    win32::FontSpec Font() const;
    void SetFont(const win32::FontSpec& font);

    // The height the bar wants, in twips: the height of a line of text in the host's font plus 10 pixels.
    int Height() const;

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    // The panel's place from the last layout (there is none before Create), in pixels of the host's
    // client area.
    PixelRect GetPanelRect(const PanelRef& panel) const;

    const std::wstring& PanelKey(int index) const;
    void SetPanelKey(int index, std::wstring key);
    bool PanelExists(const PanelRef& panel) const noexcept;
    int PanelIndex(const PanelRef& panel) const;

    const std::wstring& PanelText(const PanelRef& panel) const;
    // Draws; the ideal width stays as it was measured.
    void SetPanelText(const PanelRef& panel, std::wstring text);

    bool PanelSpring(const PanelRef& panel) const;
    // A change gives this panel the value and takes the spring from every other; re-measures and lays
    // out without drawing.
    void SetPanelSpring(const PanelRef& panel, bool spring);

    bool PanelFitToContents(const PanelRef& panel) const;
    // A change re-measures and lays out without drawing.
    void SetPanelFitToContents(const PanelRef& panel, bool fit);

    // The 0-based image index. Writing takes the image's icon from the image list and draws.
    int PanelIcon(const PanelRef& panel) const;
    void SetPanelIcon(const PanelRef& panel, int imageIndex);

    // The icon shown (owned by the bar). Writing destroys the previous icon, takes ownership of the
    // new one and draws.
    HICON PanelhIcon(const PanelRef& panel) const;
    void SetPanelhIcon(const PanelRef& panel, win32::UniqueIcon icon);

    UINT PanelStyle(const PanelRef& panel) const;
    void SetPanelStyle(const PanelRef& panel, UINT style); // draws

    int PanelMinWidth(const PanelRef& panel) const;

    int PanelIdealWidth(const PanelRef& panel) const;
    void SetPanelIdealWidth(const PanelRef& panel, int width); // lays out without drawing

    std::int32_t PanelItemData(const PanelRef& panel) const;
    void SetPanelItemData(const PanelRef& panel, std::int32_t data);

    // Raised for each owner-drawn panel (style kPanelOwnerDraw) during Draw.
    std::function<void(StatusPanelOwnerDraw&)> OwnerDraw;

private:
    struct Panel {
        std::wstring key;
        std::int32_t itemData = 0;
        int imageIndex = -1;
        win32::UniqueIcon icon;
        std::wstring text;
        int minWidth = 0;
        int idealWidth = 0;
        int width = 0;
        bool spring = false;
        bool fitToContents = false;
        UINT style = 0;
        PixelRect rect;
    };

    std::size_t Resolve(const PanelRef& panel) const;
    Panel& At(const PanelRef& panel) { return panels_[Resolve(panel)]; }
    const Panel& At(const PanelRef& panel) const { return panels_[Resolve(panel)]; }

    HDC HostDc() const { return host_ ? host_->Hdc() : nullptr; }
    PixelRect HostClientRect() const;
    void MeasureIdealWidth(Panel& panel) const;
    void MeasureBarHeight();
    void LayOut();
    win32::UniqueIcon IconOfImage(int imageIndex) const;
    void DrawPanels(StatusBarPainter& painter, HDC dc, int barRight);

    IStatusBarHost* host_ = nullptr;
    std::vector<Panel> panels_;
    bool sizeGrip_ = false;
    HIMAGELIST imageList_ = nullptr;
    IImageListSource* imageSource_ = nullptr; // set when icons must come from the object itself
    int iconSize_ = 0;
    int leftOffset_ = 0;
    int topOffset_ = 0;
    int barHeight_ = 0;
    bool simpleMode_ = false;
    std::wstring simpleText_;
    bool themesAvailable_;
    bool allowXPStyles_;
};

} // namespace quarrow::controls
