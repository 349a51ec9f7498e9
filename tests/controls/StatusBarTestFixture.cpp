#include "StatusBarTestFixture.hpp"

#include "Gdi.hpp"

namespace quarrow::controls::testing {

namespace {

COLORREF FromBgra(std::uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

Capture Capture::Of(HDC source, int width, int height) {
    Capture capture;
    capture.width_ = width;
    capture.height_ = height;
    capture.pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    const win32::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const win32::UniqueDC dc = win32::CreateMemoryDC(source);
    if (!bitmap || !dc) {
        ADD_FAILURE() << "no bitmap to capture into";
        return capture;
    }
    {
        const win32::SelectedObject selected(dc.Get(), bitmap.Get());
        BitBlt(dc.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* words = static_cast<const std::uint32_t*>(bits);
    capture.pixels_.assign(words, words + capture.pixels_.size());
    return capture;
}

COLORREF Capture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << ") is outside the capture";
        return CLR_INVALID;
    }
    return FromBgra(
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)]);
}

bool Capture::Contains(COLORREF colour, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (At(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

bool Capture::IsFilledWith(COLORREF colour, int left, int top, int right, int bottom) const {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (At(x, y) != colour) {
                return false;
            }
        }
    }
    return true;
}

namespace {

std::wstring SelectedFace(HDC dc, const wchar_t* requested) {
    const win32::UniqueFont font = win32::FontSpec{requested}.Create(dc);
    const win32::SelectedObject selected(dc, font.Get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    return face;
}

} // namespace

void EnsureMarlett() {
    static const bool loaded = [] {
        AddFontResourceExW(L"Z:\\usr\\share\\wine\\fonts\\marlett.ttf", FR_PRIVATE, nullptr);
        const win32::WindowDC screen(nullptr);
        return SelectedFace(screen.Get(), L"Marlett") == L"Marlett";
    }();
    if (!loaded) {
        ADD_FAILURE() << "the Marlett font is missing (Debian package fonts-wine)";
    }
}

win32::UniqueIcon SolidIcon(int size, COLORREF colour) {
    const std::uint32_t pixel = 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const std::vector<std::uint32_t> colours(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), pixel);
    const std::vector<std::uint8_t> mask(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) / 8 + 2, 0);
    const win32::UniqueBitmap colourBitmap(CreateBitmap(size, size, 1, 32, colours.data()));
    const win32::UniqueBitmap maskBitmap(CreateBitmap(size, size, 1, 1, mask.data()));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colourBitmap.Get();
    info.hbmMask = maskBitmap.Get();
    return win32::UniqueIcon(CreateIconIndirect(&info));
}

Canvas::Canvas(int width, int height) : width_(width), height_(height), dc_(win32::CreateMemoryDC()) {
    BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    original_ = SelectObject(dc_.Get(), bitmap_.Get());
}

namespace {

class TopLevelFrame final : public win32::Window {
public:
    TopLevelFrame() {
        RegisterWindowClass(L"QuarrowStatusBarTestFrame", CS_DBLCLKS, GetSysColorBrush(COLOR_WINDOW));
        CreateHandle(0, L"QuarrowStatusBarTestFrame", L"status bar test", WS_POPUP | WS_VISIBLE, 0, 0, 640, 60,
                     nullptr);
    }
    ~TopLevelFrame() override { DestroyHandle(); }
};

} // namespace

HWND TestFrame() {
    static TopLevelFrame frame;
    return frame.Handle();
}

void StatusBarTest::SetUp() {
    EnsureMarlett();
    ASSERT_NE(TestFrame(), nullptr);
    ASSERT_TRUE(picture.Create(TestFrame(), 0, 0, kWidth, kHeight));
    // The window paints the bar on its own too; the tests draw explicitly and read at once.
    ValidateRect(picture.Handle(), nullptr);
    bar.Create(picture);
}

void StatusBarTest::AddMainWindowPanels() {
    bar.AddPanel({.imageIndex = 0, .minWidth = 8, .key = L"ICON"});
    bar.AddPanel({.imageIndex = -1, .minWidth = 64, .spring = true, .key = L"MAIN"});
    bar.AddPanel({.text = L"就绪", .imageIndex = 3, .minWidth = 100, .key = L"VER"});
}

} // namespace quarrow::controls::testing
