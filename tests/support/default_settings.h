#pragma once

#include "settings/start_values.h"

// The record as the wizard captures it when the user changes nothing and
// goes forward to the Output page.
inline vintora::WizardSettings defaultSettings()
{
    vintora::WizardSettings s = vintora::StartSettings();
    s.currentPage = 7;
    return s;
}
