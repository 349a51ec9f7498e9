#pragma once
// The gallery's window: a page on which sections place their controls, one below the other, each
// under a heading, with labels beside the rows. A section is one kind of control (buttons, strips,
// progress bars, the status bar…) shown in its states and schemes.

#include "Window.hpp"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace quarrow::gallery {

class GalleryPage;

class GallerySection {
public:
    virtual ~GallerySection() = default;
    virtual std::wstring Title() const = 0;
    // Creates the section's controls on `page` from `top` down; answers the height used.
    virtual int Build(GalleryPage& page, int top) = 0;
};

class GalleryPage : public win32::Window {
public:
    static constexpr int kMargin = 16;

    // An empty page `width` pixels wide; it grows to the height of its sections.
    explicit GalleryPage(int width);
    ~GalleryPage() override;

    // Builds each section under its heading, in order, and fits the page to them. The page keeps the
    // sections (and so their controls).
    void AddSections(std::vector<std::unique_ptr<GallerySection>> sections);
    // Text drawn on the page at (x, y).
    void AddLabel(int x, int y, std::wstring text);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Label {
        int x;
        int y;
        std::wstring text;
        bool heading;
    };
    void Paint(HDC dc) const;

    std::vector<std::unique_ptr<GallerySection>> sections_;
    std::vector<Label> labels_;
};

} // namespace quarrow::gallery
