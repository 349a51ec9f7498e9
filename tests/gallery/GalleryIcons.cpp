#include "GalleryIcons.hpp"

#include "SurfaceTestSupport.hpp"

namespace quarrow::gallery {

namespace {
bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}
} // namespace

controls::Picture DocumentIcon() {
    return controls::Picture::FromIcon(testing::MaskedIcon(
        16, 16,
        [](int x, int y) {
            if (x == 3 || x == 12 || y == 1 || y == 14) {
                return RGB(60, 60, 90);
            }
            return (y % 3 == 1 && x > 4 && x < 11) ? RGB(40, 90, 200) : RGB(255, 255, 255);
        },
        [](int x, int y) { return Inside(x, y, 3, 1, 12, 14); }));
}

controls::Picture FolderIcon() {
    return controls::Picture::FromIcon(testing::MaskedIcon(
        16, 16,
        [](int x, int y) {
            if (y == 3 || y == 13 || x == 1 || x == 14 || (y == 5 && x > 6)) {
                return RGB(150, 110, 20);
            }
            return y < 6 ? RGB(250, 220, 120) : RGB(245, 200, 70);
        },
        [](int x, int y) { return Inside(x, y, 1, 3, 6, 13) || Inside(x, y, 1, 5, 14, 13); }));
}

controls::Picture ArchiveIcon() {
    return controls::Picture::FromIcon(testing::MaskedIcon(
        16, 16,
        [](int x, int y) {
            if (x == 2 || x == 13 || y == 2 || y == 13) {
                return RGB(90, 50, 20);
            }
            if (x == 7 || x == 8) {
                return RGB(220, 30, 30);
            }
            return y < 6 ? RGB(200, 150, 90) : RGB(170, 110, 60);
        },
        [](int x, int y) { return Inside(x, y, 2, 2, 13, 13); }));
}

controls::Picture BitmapPicture() {
    return controls::Picture::FromBitmap(testing::ScreenBitmap(
        16, 16, [](int x, int y) { return ((x / 4 + y / 4) % 2) ? RGB(220, 40, 40) : RGB(40, 70, 220); }));
}

} // namespace quarrow::gallery
