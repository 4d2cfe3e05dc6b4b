#pragma once

#include "wizard/pages/wizard_page.h"

class QCheckBox;
class QRadioButton;

namespace vintora {

// Page 2: a table layout or a generic one, and whether the page is made
// the modern way, for phones and today's browsers. Fore on this page stores
// the layout choice as the layout word, and the modern-page choice with it.
class LayoutStylePage : public WizardPage
{
    Q_OBJECT

public:
    explicit LayoutStylePage(QWidget *window);

    QRadioButton *genericOption() const { return m_genericOption; }
    QCheckBox *modernCheck() const { return m_modernCheck; }

    bool leaveForward(WizardSettings &settings) override;

protected:
    QSize visibleSize(const QWidget *text) const override;

private:
    QWidget *m_genericText;
    QRadioButton *m_tablesOption;
    QRadioButton *m_genericOption;
    QCheckBox *m_modernCheck;
};

} // namespace vintora
