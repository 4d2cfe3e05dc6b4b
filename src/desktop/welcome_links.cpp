#include "desktop/welcome_links.h"

#include "controls/clickable_label.h"
#include "desktop/welcome_targets.h"

namespace vintora {

namespace {

// What welcomeLinkTarget gives for each link.
enum Target { kReadmeTarget = 0, kMailTarget = 1, kWebTarget = 2 };

} // namespace

WelcomeLinks::WelcomeLinks(UrlOpener &opener, const Icons &icons, const QString &programFolder,
                           QObject *parent)
    : QObject(parent), m_opener(opener), m_programFolder(programFolder)
{
    connect(icons.readme, &ClickableLabel::clicked, this, &WelcomeLinks::openReadme);
    connect(icons.mail, &ClickableLabel::clicked, this, &WelcomeLinks::openMail);
    connect(icons.web, &ClickableLabel::clicked, this, &WelcomeLinks::openWeb);
}

void WelcomeLinks::openReadme()
{
    open(welcomeLinkTarget(kReadmeTarget, m_programFolder));
}

void WelcomeLinks::openMail()
{
    open(welcomeLinkTarget(kMailTarget, m_programFolder));
}

void WelcomeLinks::openWeb()
{
    open(welcomeLinkTarget(kWebTarget, m_programFolder));
}

void WelcomeLinks::open(const QUrl &target)
{
    if (target.isValid())
        m_opener.open(target);
}

} // namespace vintora
