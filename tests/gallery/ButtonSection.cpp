#include "GalleryIcons.hpp"
#include "Sections.hpp"

#include "ZID_Button.hpp"

#include <functional>
#include <string>
#include <vector>

namespace quarrow::gallery {

namespace {

using controls::Picture;
using controls::ZID_Button;

constexpr int kFirstColumn = 104;
constexpr int kColumnStep = 112;
constexpr int kButtonWidth = 105;
constexpr int kRowStep = 32;

struct ButtonLook {
    std::wstring heading;
    std::function<void(ZID_Button&)> apply;
};

class ButtonSection : public GallerySection {
public:
    std::wstring Title() const override { return L"ZID_Button: states × schemes"; }

    int Build(GalleryPage& page, int top) override {
        const std::vector<ButtonLook> looks{
            {L"0 normal", [](ZID_Button&) {}},
            {L"1 hot", [](ZID_Button& b) { b.SetState(1); }},
            {L"2 pressed", [](ZID_Button& b) { b.SetState(2); }},
            {L"3 down, hot", [](ZID_Button& b) { b.SetState(3); }},
            {L"4 disabled", [](ZID_Button& b) { b.SetState(4); }},
            {L"drop-down", [](ZID_Button& b) { b.SetIsDropDown(true); }},
            {L"drop-down, 2",
             [](ZID_Button& b) {
                 b.SetIsDropDown(true);
                 b.SetState(2);
             }},
            {L"check, Value 1",
             [](ZID_Button& b) {
                 b.SetIsCheckButton(true);
                 b.SetValue(1);
             }},
        };
        for (std::size_t column = 0; column < looks.size(); ++column) {
            page.AddLabel(Column(column) + 4, top, looks[column].heading);
        }
        int y = top + 20;
        const std::pair<const wchar_t*, std::int32_t> schemes[] = {
            {L"blue (0)", 0}, {L"silver (1)", 1}, {L"olive (2)", 2}};
        for (const auto& [name, themeColor] : schemes) {
            page.AddLabel(GalleryPage::kMargin, y + 5, name);
            for (std::size_t column = 0; column < looks.size(); ++column) {
                ZID_Button& button = Add(page, Column(column), y, kButtonWidth);
                button.SetThemeColor(themeColor);
                button.SetPicture(column % 2 ? FolderIcon() : ArchiveIcon());
                button.SetCaption(column == 5 || column == 6 ? L"增加目录" : L"开启PAK文件");
                looks[column].apply(button);
            }
            y += kRowStep;
        }

        page.AddLabel(GalleryPage::kMargin, y + 5, L"captions");
        const std::vector<ButtonLook> extras{
            {L"&Open", [](ZID_Button& b) { b.SetPicture(DocumentIcon()); }},
            {L"A&&B", [](ZID_Button& b) { b.SetPicture(DocumentIcon()); }},
            {L"no picture", [](ZID_Button&) {}},
            {L"bitmap", [](ZID_Button& b) { b.SetPicture(BitmapPicture()); }},
            {L"bitmap, 4",
             [](ZID_Button& b) {
                 b.SetPicture(BitmapPicture());
                 b.SetState(4);
             }},
            {L"一个很长很长的标题被截断", [](ZID_Button& b) { b.SetPicture(ArchiveIcon()); }},
            {L"Enabled false",
             [](ZID_Button& b) {
                 b.SetPicture(FolderIcon());
                 b.SetEnabled(false);
             }},
            {L"", [](ZID_Button& b) { b.SetPicture(ArchiveIcon()); }},
        };
        for (std::size_t column = 0; column < extras.size(); ++column) {
            ZID_Button& button = Add(page, Column(column), y, kButtonWidth);
            button.SetThemeColor(1);
            button.SetCaption(extras[column].heading);
            extras[column].apply(button);
        }
        return y + kRowStep - top;
    }

private:
    static int Column(std::size_t index) { return kFirstColumn + static_cast<int>(index) * kColumnStep; }

    ZID_Button& Add(GalleryPage& page, int x, int y, int width) {
        buttons_.push_back(std::make_unique<ZID_Button>(page.Handle(), x, y, width));
        return *buttons_.back();
    }

    std::vector<std::unique_ptr<ZID_Button>> buttons_;
};

} // namespace

std::unique_ptr<GallerySection> MakeButtonSection() { return std::make_unique<ButtonSection>(); }

} // namespace quarrow::gallery
