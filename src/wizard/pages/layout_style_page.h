#pragma once

#include "wizard/pages/wizard_page.h"

class QRadioButton;

namespace vintora {

// Page 2: a table layout or a generic one. Fore on this page stores the
// choice as the layout word.
class LayoutStylePage : public WizardPage
{
    Q_OBJECT

public:
    explicit LayoutStylePage(QWidget *window);

    QRadioButton *tablesOption() const { return m_tablesOption; }
    QRadioButton *genericOption() const { return m_genericOption; }

    bool leaveForward(WizardSettings &settings) override;

private:
    QRadioButton *m_tablesOption;
    QRadioButton *m_genericOption;
};

} // namespace vintora
