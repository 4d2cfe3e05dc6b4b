#pragma once

#include "settings/wizard_settings.h"

#include <QString>

#include <array>
#include <optional>

namespace vintora {

// What each capture reads of its page's controls. The wizard window fills
// these from its widgets; the command-line tool from its options.

struct PageStyleControls
{
    std::array<ColorValue, 4> labelColors{}; // text colours of pgpref(0..3)
    ColorValue previewBackColor = 0;         // back colour of picPreview
    QString previewTag;                      // tag of picPreview: the background path
};

struct OptionButtonState
{
    bool chosen = false;
    QString caption;
};

struct TableControls
{
    std::array<QString, 4> numberTexts;            // Text1(0..3)
    QString cellPictureTag;                        // tag of picTable(1)
    ColorValue cellBackColor = 0;                  // back colour of picTable(0)
    std::array<OptionButtonState, 6> alignOptions; // optTableAlign(0..5)
};

enum class CheckState { Unchecked = 0, Checked = 1, Grayed = 2 };

struct ThumbnailControls
{
    bool uniformChosen = true;                  // optsize(0) "Uniform size:"
    std::array<QString, 4> sizeTexts;           // txtSize(0..3)
    CheckState borders = CheckState::Unchecked; // Check1(0)
};

struct PackagingControls
{
    bool copyChosen = true; // optCopy(0) "Copy the picture files"
};

// The number box whose text does not read, by control array name and index
// (for example Text1 index 2).
struct BadNumberBox
{
    QString control;
    int index = 0;

    bool operator==(const BadNumberBox &) const = default;
};

// Each capture copies its page's controls into the record. A capture that
// meets a box which does not read as a number changes no field and names
// the first such box instead.
void CapturePageStyle(WizardSettings &settings, const PageStyleControls &controls);
std::optional<BadNumberBox> CaptureTable(WizardSettings &settings, const TableControls &controls);
std::optional<BadNumberBox> CaptureThumbnails(WizardSettings &settings,
                                              const ThumbnailControls &controls);
void CapturePackaging(WizardSettings &settings, const PackagingControls &controls);

} // namespace vintora
