#include "shell/welcome_links.h"

#include "shell/welcome_targets.h"
#include "wizard/controls/clickable_label.h"

namespace vintora {

WelcomeLinks::WelcomeLinks(UrlOpener &opener, const std::array<ClickableLabel *, 3> &image4,
                           const QString &programFolder, QObject *parent)
    : QObject(parent), m_opener(opener), m_programFolder(programFolder)
{
    for (int i = 0; i < int(image4.size()); ++i)
        connect(image4[i], &ClickableLabel::clicked, this, [this, i] { click(i); });
}

void WelcomeLinks::click(int index)
{
    const QUrl target = welcomeLinkTarget(index, m_programFolder);
    if (target.isValid())
        m_opener.open(target);
}

} // namespace vintora
