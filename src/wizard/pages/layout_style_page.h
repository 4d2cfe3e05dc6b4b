#pragma once

#include "wizard/pages/modern_options_dialog.h"
#include "wizard/pages/wizard_page.h"

class QCheckBox;
class QRadioButton;

namespace vintora {

class ClickableLabel;

// Page 2: a table layout or a generic one, and whether the page is made
// the modern way, for phones and today's browsers. Fore on this page stores
// the layout choice as the layout word, and the modern-page choice with it,
// with the options chosen in "Modern page options".
class LayoutStylePage : public WizardPage
{
    Q_OBJECT

public:
    explicit LayoutStylePage(QWidget *window);

    QRadioButton *genericOption() const { return m_genericOption; }
    QCheckBox *modernCheck() const { return m_modernCheck; }
    ClickableLabel *optionsLink() const { return m_optionsLink; }
    // The modern page's options as last accepted in their dialog.
    const ModernOptions &options() const { return m_options; }

    // Opens "Modern page options" over the window (the link's click); OK
    // keeps its choices until Fore takes them into the record.
    ModernOptionsDialog *showOptions();

    bool leaveForward(WizardSettings &settings) override;

protected:
    QSize visibleSize(const QWidget *text) const override;

private:
    QWidget *m_genericText;
    QRadioButton *m_tablesOption;
    QRadioButton *m_genericOption;
    QCheckBox *m_modernCheck;
    ClickableLabel *m_optionsLink;
    ModernOptions m_options;
};

} // namespace vintora
