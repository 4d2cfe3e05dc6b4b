#pragma once

#include "settings/wizard_settings.h"

#include <array>

namespace vintora {

// The alignment words of the Table page's two option groups, in the order
// of their buttons; the chosen caption goes into the page as it is.
inline constexpr std::array<const char *, 3> kHorizontalAlignWords{"Left", "Center", "Right"};
inline constexpr std::array<const char *, 3> kVerticalAlignWords{"Top", "Middle", "Bottom"};

// What every control of the wizard shows when it opens: the one place for
// these values. The pages build their controls from it, vintora-cli takes
// its defaults from it, and the record it captures into is StartSettings().
struct StartValues
{
    // Page style: the text colours of Text, HyperLink, Active HyperLink and
    // Visited HyperLink, and the page colour.
    std::array<ColorValue, 4> labelColors{0x000000, 0xFF0000, 0x0000FF, 0xC000C0};
    ColorValue pageColor = 0xFFFFFF;
    // Layout style: "I want tables", and the modern page box.
    bool tables = true;
    bool modernPage = false;
    // Table: the number boxes (columns, spacing, padding, border), the cell
    // colour and the chosen alignment buttons (indexes into the words above).
    std::array<const char *, 4> tableNumbers{"4", "1", "1", "0"};
    ColorValue cellColor = 0xFFFFFF;
    int cellAlign = 1;
    int cellVAlign = 1;
    // Thumbnails: "Uniform size:", the size boxes txtSize(0..3) (uniform
    // height and width, percentage width and height) and the borders box.
    bool uniformSize = true;
    std::array<const char *, 4> sizeTexts{"100", "100", "25", "25"};
    bool imageBorders = false;
    bool thumbnailFiles = false; // "Make small thumbnail files"
    // Packaging: "Copy the picture files".
    bool copyPictures = true;
    // Output: the page's file name, the modern page's, and the modern
    // page's title (empty: the folder's name).
    const char *pageName = "vintora.htm";
    const char *modernPageName = "index.html";
    const char *pageTitle = "";
    // The modern page's options: location left out, an album of each
    // sub-folder, pictures by date taken, no zips.
    bool keepLocation = false;
    bool makeAlbums = true;
    const char *pictureOrder = kOrderByDate;
    bool makeZips = false;
};

inline constexpr StartValues kStartValues{};

// The record as the captures fill it from controls at their start values,
// with currentPage left at 0.
WizardSettings StartSettings();

} // namespace vintora
