#pragma once

#include "wizard/wizard_settings.h"

// The record as the wizard captures it when the user changes nothing.
inline vintora::WizardSettings defaultSettings()
{
    vintora::WizardSettings s;
    s.layoutStyle = vintora::kLayoutTable;
    s.linkColor = 0xFF0000;
    s.activeLinkColor = 0x0000FF;
    s.visitedLinkColor = 0xC000C0;
    s.pageColor = 0xFFFFFF;
    s.tableColumns = 4;
    s.cellSpacing = 1;
    s.cellPadding = 1;
    s.thumbHeight = 100;
    s.thumbWidth = 100;
    s.cellColor = 0xFFFFFF;
    s.cellAlign = "Center";
    s.cellVAlign = "Middle";
    s.copyPictures = vintora::kTrue;
    return s;
}
