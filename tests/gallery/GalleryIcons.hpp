#pragma once
// Small 16 × 16 pictures for the gallery's buttons, drawn pixel by pixel.

#include "Picture.hpp"

namespace quarrow::gallery {

controls::Picture DocumentIcon();  // a page with lines of text
controls::Picture FolderIcon();    // a yellow folder
controls::Picture ArchiveIcon();   // a box with a band, in several colours
controls::Picture BitmapPicture(); // a bitmap (not an icon): red and blue checks

} // namespace quarrow::gallery
