#pragma once

#include "wizard/wizard_settings.h"

// The record as the wizard captures it when the user changes nothing and
// goes forward to the Output page.
inline vintora::WizardSettings defaultSettings()
{
    vintora::WizardSettings s;
    s.currentPage = 7;
    s.layoutStyle = "table";
    s.textColor = 0x000000;
    s.linkColor = 0xFF0000;
    s.activeLinkColor = 0x0000FF;
    s.visitedLinkColor = 0xC000C0;
    s.pageColor = 0xFFFFFF;
    s.tableColumns = 4;
    s.cellSpacing = 1;
    s.cellPadding = 1;
    s.tableBorder = 0;
    s.thumbHeight = 100;
    s.thumbWidth = 100;
    s.imageBorders = vintora::kFalse;
    s.cellColor = 0xFFFFFF;
    s.cellAlign = "Center";
    s.cellVAlign = "Middle";
    s.copyPictures = vintora::kTrue;
    return s;
}
