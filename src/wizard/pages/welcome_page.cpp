#include "wizard/pages/welcome_page.h"

#include "base/twips.h"
#include "desktop/welcome_links.h"
#include "wizard/pages/page_widgets.h"

namespace vintora {

WelcomePage::WelcomePage(QWidget *window, UrlOpener &urls) : WizardPage(kWelcomePage, window)
{
    staticText(this, 0,
               QStringLiteral("Welcome to Vintora!  This application will help you generate an "
                              "HTML-only thumbnail index page of images for use on your web "
                              "site or your personal computer."),
               twipsRect(120, 120, 3735, 975));
    staticText(this, 1,
               QStringLiteral("This wizard will step you through all the steps you need to take "
                              "to create your page and prepare it for display on your web "
                              "server.  Set your preferences on the following screens and use "
                              "the buttons below to step through each section as you complete "
                              "it or to go back to change an option."),
               twipsRect(120, 1080, 3735, 1455));
    m_readmeIcon
            = linkImage(this, catalogueName("Image4", 0), "icon_readme", twipsPoint(360, 2640));
    staticText(this, 25, QStringLiteral("Readme"), twipsRect(240, 3120, 735, 255),
               Qt::AlignHCenter);
    m_mailIcon = linkImage(this, catalogueName("Image4", 1), "icon_mail", twipsPoint(1680, 2640));
    staticText(this, 26, QStringLiteral("Mail"), twipsRect(1560, 3120, 735, 255), Qt::AlignHCenter);
    m_webIcon = linkImage(this, catalogueName("Image4", 2), "icon_web", twipsPoint(3000, 2640));
    staticText(this, 27, QStringLiteral("Web"), twipsRect(2880, 3120, 735, 255), Qt::AlignHCenter);
    staticText(this, 2, QStringLiteral("Let's begin!"), twipsRect(120, 3840, 3735, 375),
               Qt::AlignRight);

    m_readmeIcon->setAccessibleName(QStringLiteral("Readme"));
    m_readmeIcon->setAccessibleDescription(QStringLiteral("Opens the read-me"));
    m_mailIcon->setAccessibleName(QStringLiteral("Send mail"));
    m_mailIcon->setAccessibleDescription(QStringLiteral("Writes a mail to the maker"));
    m_webIcon->setAccessibleName(QStringLiteral("Web site"));
    m_webIcon->setAccessibleDescription(QStringLiteral("Opens the maker's web site"));

    new WelcomeLinks(urls, {m_readmeIcon, m_mailIcon, m_webIcon},
                     QCoreApplication::applicationDirPath(), this);
}

} // namespace vintora
