#pragma once
// A visible window with a picture box of 600 x 25 pixels and a status bar created in it, and ways to
// read back what the bar painted.

#include "PictureBox.hpp"
#include "cNoStatusBar.hpp"

#include "Window.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace quarrow::controls::testing {

// The pixels of a client area, copied into a 32-bit bitmap.
class Capture {
public:
    static Capture Of(HDC source, int width, int height);

    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    // True when some pixel of [left, right) x [top, bottom) has the colour.
    bool Contains(COLORREF colour, int left, int top, int right, int bottom) const;
    // Every pixel of the rectangle has the colour.
    bool IsFilledWith(COLORREF colour, int left, int top, int right, int bottom) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Makes sure the Marlett font can be selected: Wine keeps it among its own fonts, which a prefix does
// not always list; the process then loads it privately. Must run before anything asks for Marlett,
// since the system remembers what a font request was given.
void EnsureMarlett();

// An icon of one solid colour.
win32::UniqueIcon SolidIcon(int size, COLORREF colour);

// A 32-bit bitmap with a memory context to draw into, for reference drawings.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas() { SelectObject(dc_.Get(), original_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc_.Get(); }
    Capture Read() const { return Capture::Of(dc_.Get(), width_, height_); }

private:
    int width_;
    int height_;
    win32::UniqueDC dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ original_;
};

// A visible top-level window for the tests' picture boxes, one for the whole run: under Wine without
// a window manager every top-level window takes two seconds to go away.
HWND TestFrame();

class StatusBarTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 25;

    void SetUp() override;
    Capture Read() const { return Capture::Of(picture.Hdc(), picture.ScaleWidth(), picture.ScaleHeight()); }
    // The main window's panels.
    void AddMainWindowPanels();

    PictureBox picture; // declared before the bar: the host outlives it
    cNoStatusBar bar;
};

} // namespace quarrow::controls::testing
