#pragma once

// The modern page's style sheet (gallery.css) and script (viewer.js) as
// they lie beside this header, built in by embed_text.cmake.
namespace vintora::modern_page {
extern const char kGalleryCss[];
extern const char kViewerJs[];
} // namespace vintora::modern_page
