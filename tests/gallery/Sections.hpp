#pragma once
// The gallery's sections, one per kind of control.

#include "GalleryPage.hpp"

#include <memory>

namespace quarrow::gallery {

// Toolbar buttons in every state and scheme, drop-down and check buttons, and unusual captions.
std::unique_ptr<GallerySection> MakeButtonSection();
// Toolbar strips in the three schemes (and the system's), with and without overflow marks, carrying
// buttons and a separator.
std::unique_ptr<GallerySection> MakeToolbarSection();

} // namespace quarrow::gallery
