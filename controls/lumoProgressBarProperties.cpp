// The progress bar's saved settings. The order of the keys is part of the format: loading applies
// them through the setters in this same order.

#include "lumoProgressBar.hpp"

namespace quarrow::controls {

namespace d = progress_defaults;

void lumoProgressBar::ReadProperties(const PropertyBag& bag) {
    Picture(bag.Read(L"Picture", controls::Picture{}));
    BackColor(bag.Read(L"BackColor", d::kBackColor));
    ForeColor(bag.Read(L"ForeColor", d::kSavedForeColor));
    Appearance(bag.Read(L"Appearance", d::kAppearance));
    BorderStyle(bag.Read(L"BorderStyle", d::kBorderStyle));
    BarColor(bag.Read(L"BarColor", d::kBarColor));
    BarForeColor(bag.Read(L"BarForeColor", d::kBarForeColor));
    BarPicture(bag.Read(L"BarPicture", controls::Picture{}));
    BarPictureMode(bag.Read(L"BarPictureMode", d::kBarPictureMode));
    BackPictureMode(bag.Read(L"BackPictureMode", d::kBackPictureMode));
    Min(bag.Read(L"Min", d::kMin));
    Max(bag.Read(L"Max", d::kMax));
    Value(bag.Read(L"Value", d::kValue));
    ShowText(bag.Read(L"ShowText", d::kShowText));
    TextAlignX(bag.Read(L"TextAlignX", d::kTextAlignX));
    TextAlignY(bag.Read(L"TextAlignY", d::kTextAlignY));
    Text(bag.Read(L"Text", std::wstring()));
    Font(bag.Read(L"Font", win32::FontSpec{}));
    Segments(bag.Read(L"Segments", d::kSegments));
    XpStyle(bag.Read(L"XpStyle", d::kXpStyle));
}

void lumoProgressBar::WriteProperties(PropertyBag& bag) const {
    bag.Write(L"Picture", Picture(), controls::Picture{});
    bag.Write(L"BackColor", backColor_, d::kBackColor);
    bag.Write(L"ForeColor", foreColor_, d::kSavedForeColor);
    bag.Write(L"Appearance", appearance_, d::kAppearance);
    bag.Write(L"BorderStyle", borderStyle_, d::kBorderStyle);
    bag.Write(L"BarColor", barColor_, d::kBarColor);
    bag.Write(L"BarForeColor", barForeColor_, d::kBarForeColor);
    bag.Write(L"BarPicture", BarPicture(), controls::Picture{});
    bag.Write(L"BarPictureMode", barPictureMode_, d::kBarPictureMode);
    bag.Write(L"BackPictureMode", backPictureMode_, d::kBackPictureMode);
    bag.Write(L"Min", min_, d::kMin);
    bag.Write(L"Max", max_, d::kMax);
    bag.Write(L"Value", value_, d::kValue);
    bag.Write(L"ShowText", showText_, d::kShowText);
    bag.Write(L"TextAlignX", textAlignX_, d::kTextAlignX);
    bag.Write(L"TextAlignY", textAlignY_, d::kTextAlignY);
    bag.Write(L"Text", text_, std::wstring());
    bag.WriteAlways(L"Font", font_);
    bag.Write(L"Segments", segments_, d::kSegments);
    bag.Write(L"XpStyle", xpStyle_, d::kXpStyle);
}

} // namespace quarrow::controls
