// Shows every toolbar control in its states and schemes in one window, to be looked at (scripts/gallery
// takes a screenshot of it).

#include "GalleryPage.hpp"
#include "Sections.hpp"

#include <windows.h>

#include <cstdio>
#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace quarrow::gallery;
    try {
        GalleryPage page(1016);
        std::vector<std::unique_ptr<GallerySection>> sections;
        sections.push_back(MakeButtonSection());
        sections.push_back(MakeToolbarSection());
        page.AddSections(std::move(sections));
        ShowWindow(page.Handle(), SW_SHOWNORMAL);
        UpdateWindow(page.Handle());

        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
