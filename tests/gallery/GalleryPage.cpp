#include "GalleryPage.hpp"

#include "FontSpec.hpp"

#include <stdexcept>

namespace quarrow::gallery {

namespace {

constexpr wchar_t kClassName[] = L"QuarrowGalleryPage";
constexpr int kHeadingHeight = 24;
constexpr int kSectionGap = 14;

win32::UniqueFont LabelFont(bool heading) {
    win32::FontSpec font = win32::FontSpec::MessageFont();
    font.bold = heading;
    return font.Create();
}

} // namespace

GalleryPage::GalleryPage(int width) {
    RegisterWindowClass(kClassName, 0, GetSysColorBrush(COLOR_BTNFACE));
    RECT frame{0, 0, width, 100};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRect(&frame, style, FALSE);
    CreateHandle(0, kClassName, L"Quarrow gallery", style, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 nullptr);
    if (!Handle()) {
        throw std::runtime_error("the gallery window could not be created");
    }
}

GalleryPage::~GalleryPage() {
    sections_.clear();
    DestroyHandle();
}

void GalleryPage::AddSections(std::vector<std::unique_ptr<GallerySection>> sections) {
    int top = kMargin;
    for (auto& section : sections) {
        labels_.push_back({kMargin, top, section->Title(), true});
        top += kHeadingHeight;
        top += section->Build(*this, top) + kSectionGap;
        sections_.push_back(std::move(section));
    }
    // The page grows to hold what was built.
    RECT frame{0, 0, 0, top + kMargin - kSectionGap};
    RECT client{};
    GetClientRect(Handle(), &client);
    frame.right = client.right;
    AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GalleryPage::AddLabel(int x, int y, std::wstring text) { labels_.push_back({x, y, std::move(text), false}); }

void GalleryPage::Paint(HDC dc) const {
    const win32::UniqueFont plain = LabelFont(false);
    const win32::UniqueFont bold = LabelFont(true);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (const Label& label : labels_) {
        const win32::SelectedObject font(dc, label.heading ? bold.Get() : plain.Get());
        TextOutW(dc, label.x, label.y, label.text.c_str(), static_cast<int>(label.text.size()));
    }
}

LRESULT GalleryPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        const win32::PaintDC paint(Handle());
        Paint(paint.Get());
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefaultHandling(message, wParam, lParam);
    }
}

} // namespace quarrow::gallery
