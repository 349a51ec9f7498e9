// Shows the progress bar in its looks side by side, each with a label, for a screenshot:
//   progress_gallery [--seconds N]
// With --seconds the window closes itself after N seconds; otherwise it stays until closed.

#include "SurfaceTestSupport.hpp"
#include "Window.hpp"
#include "lumoProgressBar.hpp"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quarrow::gallery {
namespace {

using controls::lumoProgressBar;
using controls::Picture;

constexpr wchar_t kTitle[] = L"Quarrow progress bar gallery";
constexpr int kLabelWidth = 250;
constexpr int kBarWidth = 260;
constexpr int kBarHeight = 17; // the progress window's bars: 255 twips
constexpr int kRowHeight = 27;
constexpr int kMargin = 12;

Picture Checkerboard() {
    return Picture::FromBitmap(testing::ScreenBitmap(
        8, 8, [](int x, int y) { return (x / 4 + y / 4) % 2 ? RGB(236, 226, 198) : RGB(250, 244, 226); }));
}

Picture Stripes() {
    return Picture::FromBitmap(testing::ScreenBitmap(
        12, 12, [](int x, int y) { return (x + y) % 12 < 6 ? RGB(40, 150, 60) : RGB(90, 200, 100); }));
}

Picture GlassGradient() {
    return Picture::FromBitmap(testing::ScreenBitmap(1, 16, [](int, int y) {
        const int level = static_cast<int>(std::lround(255.0 * std::abs(y - 7.5) / 7.5));
        return RGB(40 + level / 4, 90 + level / 3, 200);
    }));
}

// The settings the progress window loads for both of its bars.
void ProgressWindowLook(lumoProgressBar& bar) {
    controls::PropertyBag bag;
    bag.Write(L"ForeColor", controls::RgbColor(0, 0, 0), controls::progress_defaults::kSavedForeColor);
    bag.Write(L"ShowText", true, false);
    bag.WriteAlways(L"Font", win32::FontSpec{L"MS Sans Serif", 8.25});
    bag.Write(L"XpStyle", true, false);
    bar.ReadProperties(bag);
}

void Caption(lumoProgressBar& bar, const wchar_t* text) {
    bar.Text(text);
    bar.ShowText(true);
}

struct Sample {
    const wchar_t* label;
    int width;
    int height;
    std::function<void(lumoProgressBar&)> setUp;
};

std::vector<Sample> HorizontalSamples() {
    return {
        {L"progress window: themed, 1 / 3", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             ProgressWindowLook(b);
             b.Max(3);
             b.Value(1);
             b.Text(L"1 / 3");
         }},
        {L"themed, Chinese caption, 57 %", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             ProgressWindowLook(b);
             b.Value(57);
             b.Text(L"解包PAK内容：57%");
         }},
        {L"classic: thin sunken border, 50 %", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Value(50);
             Caption(b, L"50%");
         }},
        {L"classic: segments, 37 %", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Segments(true);
             b.Value(37);
         }},
        {L"classic: flat border, 70 %", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Appearance(0);
             b.BackColor(controls::RgbColor(255, 255, 255));
             b.Value(70);
             Caption(b, L"flat");
         }},
        {L"classic: thin raised border, 30 %", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.BorderStyle(2);
             b.Value(30);
         }},
        {L"classic: full 3-D sunken, segments", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Appearance(2);
             b.Segments(true);
             b.BarColor(controls::RgbColor(0, 128, 0));
             b.Value(64);
         }},
        {L"classic: full 3-D raised, 45 %", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Appearance(2);
             b.BorderStyle(2);
             b.Value(45);
         }},
        {L"no border, caption left, & underlines", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.BorderStyle(0);
             b.TextAlignX(0);
             b.Value(60);
             Caption(b, L"&Extract archive");
         }},
        {L"caption right, top aligned", kBarWidth, kBarHeight + 8,
         [](lumoProgressBar& b) {
             b.TextAlignX(2);
             b.TextAlignY(0);
             b.ForeColor(controls::RgbColor(160, 0, 0));
             b.BarForeColor(controls::RgbColor(255, 255, 0));
             b.Value(85);
             Caption(b, L"right, top");
         }},
        {L"tiled background and bar pictures", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Picture(Checkerboard());
             b.BarPicture(Stripes());
             b.Value(55);
             Caption(b, L"tiled");
             b.BarForeColor(controls::RgbColor(255, 255, 255));
         }},
        {L"stretched bar picture, XpStyle too", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.XpStyle(true); // the picture wins: classic
             b.Picture(Checkerboard());
             b.BarPictureMode(0);
             b.BarPicture(GlassGradient());
             b.Value(75);
         }},
        {L"bar picture dimmed (ModifyBarPicture)", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.BarPicture(Stripes());
             b.ModifyBarPicture(0.6, 0.4);
             b.Value(65);
             b.Redraw();
         }},
        {L"Max equal to Min: empty", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Max(0);
             Caption(b, L"0 / 0");
         }},
        {L"Value above Max: full", kBarWidth, kBarHeight,
         [](lumoProgressBar& b) {
             b.Value(150);
             Caption(b, L"150");
         }},
    };
}

std::vector<Sample> VerticalSamples() {
    return {
        {L"classic", 22, 150, [](lumoProgressBar& b) { b.Value(30); }},
        {L"segments", 22, 150,
         [](lumoProgressBar& b) {
             b.Segments(true);
             b.Value(30);
         }},
        {L"themed", 22, 150,
         [](lumoProgressBar& b) {
             b.XpStyle(true);
             b.Value(60);
         }},
        {L"picture", 22, 150,
         [](lumoProgressBar& b) {
             b.BarPicture(Stripes());
             b.Appearance(2);
             b.Value(80);
         }},
    };
}

class GalleryWindow : public win32::Window {
public:
    GalleryWindow() {
        RegisterWindowClass(L"QuarrowProgressGallery", CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
        const std::vector<Sample> rows = HorizontalSamples();
        const int clientWidth = kMargin * 3 + kLabelWidth + kBarWidth + 4 * 60;
        const int clientHeight = kMargin * 2 + static_cast<int>(rows.size()) * kRowHeight + 8;
        RECT frame{0, 0, clientWidth, clientHeight};
        constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        AdjustWindowRect(&frame, style, FALSE);
        CreateHandle(0, L"QuarrowProgressGallery", kTitle, style | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
                     frame.bottom - frame.top, nullptr);
        if (!Handle()) {
            return;
        }
        int y = kMargin;
        for (const Sample& sample : rows) {
            AddLabel(sample.label, kMargin, y + 1, kLabelWidth, kRowHeight - 4);
            AddBar(sample, kMargin * 2 + kLabelWidth, y);
            y += kRowHeight;
        }
        int x = kMargin * 3 + kLabelWidth + kBarWidth;
        for (const Sample& sample : VerticalSamples()) {
            AddLabel(sample.label, x - 12, kMargin, 56, 16);
            AddBar(sample, x + 4, kMargin + 20);
            x += 60;
        }
    }
    ~GalleryWindow() override { DestroyHandle(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY || (message == WM_TIMER && wParam == kCloseTimer)) {
            PostQuitMessage(0);
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }

public:
    static constexpr UINT_PTR kCloseTimer = 1;

private:
    void AddLabel(const wchar_t* text, int x, int y, int width, int height) {
        const HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, x, y,
                                           width, height, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }

    void AddBar(const Sample& sample, int x, int y) {
        auto bar = std::make_unique<lumoProgressBar>(Handle(), x, y, sample.width, sample.height);
        sample.setUp(*bar);
        bars_.push_back(std::move(bar));
    }

    std::vector<std::unique_ptr<lumoProgressBar>> bars_;
};

int Run(int argc, char** argv) {
    int seconds = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0) {
            seconds = std::atoi(argv[i + 1]);
        }
    }
    GalleryWindow window;
    if (!window.Handle()) {
        return 1;
    }
    ShowWindow(window.Handle(), SW_SHOWNORMAL);
    UpdateWindow(window.Handle());
    if (seconds > 0) {
        SetTimer(window.Handle(), GalleryWindow::kCloseTimer, static_cast<UINT>(seconds) * 1000, nullptr);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

} // namespace
} // namespace quarrow::gallery

int main(int argc, char** argv) { return quarrow::gallery::Run(argc, argv); }
