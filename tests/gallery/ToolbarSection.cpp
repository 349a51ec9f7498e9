#include "GalleryIcons.hpp"
#include "Sections.hpp"

#include "JCToolbar.hpp"
#include "ModTypeWin.hpp"
#include "ZID_Button.hpp"
#include "ucVertical3DLine.hpp"

#include <string>
#include <vector>

namespace quarrow::gallery {

namespace {

using controls::JCToolbar;
using controls::ucVertical3DLine;
using controls::ZID_Button;

constexpr int kFirstColumn = 104;
constexpr int kStripWidth = 436;
constexpr int kStripGap = 14;
constexpr int kRowStep = 34;

class ToolbarSection : public GallerySection {
public:
    std::wstring Title() const override { return L"JCToolbar and ucVertical3DLine: IsStrech false | IsStrech true"; }

    int Build(GalleryPage& page, int top) override {
        controls::SystemColorScheme(page.Handle());
        const std::wstring automatic = L"4: " + controls::ThemeColorName;
        const std::pair<std::wstring, std::int32_t> schemes[] = {
            {L"blue (0)", 0}, {L"silver (1)", 1}, {L"olive (2)", 2}, {automatic, 4}};
        int y = top;
        for (const auto& [name, themeColor] : schemes) {
            page.AddLabel(GalleryPage::kMargin, y + 6, name);
            for (const bool isStrech : {false, true}) {
                const int x = kFirstColumn + (isStrech ? kStripWidth + kStripGap : 0);
                JCToolbar& strip =
                    *toolbars_.emplace_back(std::make_unique<JCToolbar>(page.Handle(), x, y, kStripWidth));
                strip.InitProperties();
                strip.SetThemeColor(themeColor);
                strip.SetIsStrech(isStrech);
                PlaceButtons(strip, themeColor, isStrech);
            }
            y += kRowStep;
        }
        page.AddLabel(GalleryPage::kMargin, y + 6, L"on the page");
        separators_.push_back(std::make_unique<ucVertical3DLine>(page.Handle(), kFirstColumn + 10, y, 25));
        return y + 26 - top;
    }

private:
    // A row like the main window's: two buttons, a disabled one, a separator, one more; the first
    // strip shows the pointer over its second button.
    void PlaceButtons(JCToolbar& strip, std::int32_t themeColor, bool hovered) {
        const struct {
            int x;
            int width;
            const wchar_t* caption;
            std::int16_t state;
        } row[] = {{16, 89, L"新PAK文件", 0},
                   {110, 105, L"开启PAK文件", hovered ? std::int16_t{1} : std::int16_t{0}},
                   {220, 105, L"打包PAK文件", 4},
                   {341, 57, L"关于", 0}};
        for (const auto& item : row) {
            ZID_Button& button =
                *buttons_.emplace_back(std::make_unique<ZID_Button>(strip.Handle(), item.x, 0, item.width));
            button.SetThemeColor(themeColor);
            button.SetPicture(item.x == 16 ? DocumentIcon() : ArchiveIcon());
            button.SetCaption(item.caption);
            button.SetState(item.state);
        }
        separators_.push_back(std::make_unique<ucVertical3DLine>(strip.Handle(), 332, 3, 20));
    }

    // Children go before their strips.
    std::vector<std::unique_ptr<ZID_Button>> buttons_;
    std::vector<std::unique_ptr<ucVertical3DLine>> separators_;
    std::vector<std::unique_ptr<JCToolbar>> toolbars_;
};

} // namespace

std::unique_ptr<GallerySection> MakeToolbarSection() { return std::make_unique<ToolbarSection>(); }

} // namespace quarrow::gallery
