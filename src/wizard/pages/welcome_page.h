#pragma once

#include "wizard/pages/wizard_page.h"

namespace vintora {

class ClickableLabel;
class UrlOpener;

// Page 0: the welcome texts and the three link icons (read-me, mail, web).
class WelcomePage : public WizardPage
{
    Q_OBJECT

public:
    WelcomePage(QWidget *window, UrlOpener &urls);

    ClickableLabel *readmeIcon() const { return m_readmeIcon; }
    ClickableLabel *mailIcon() const { return m_mailIcon; }
    ClickableLabel *webIcon() const { return m_webIcon; }

private:
    ClickableLabel *m_readmeIcon;
    ClickableLabel *m_mailIcon;
    ClickableLabel *m_webIcon;
};

} // namespace vintora
