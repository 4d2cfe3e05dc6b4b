#pragma once

#include "desktop/url_opener.h"

#include <QCoreApplication>
#include <QObject>

namespace vintora {

class ClickableLabel;

// The three link icons of the Welcome page: a click hands the read-me, the
// mail address or the web address to the desktop's open action and returns
// at once. Nothing is reported: a failure leaves the wizard as it was. The
// captions under the icons are not links.
class WelcomeLinks : public QObject
{
    Q_OBJECT

public:
    struct Icons
    {
        ClickableLabel *readme = nullptr; // Image4(0)
        ClickableLabel *mail = nullptr;   // Image4(1)
        ClickableLabel *web = nullptr;    // Image4(2)
    };

    WelcomeLinks(UrlOpener &opener, const Icons &icons,
                 const QString &programFolder = QCoreApplication::applicationDirPath(),
                 QObject *parent = nullptr);

public slots:
    void openReadme();
    void openMail();
    void openWeb();

private:
    void open(const QUrl &target);

    UrlOpener &m_opener;
    QString m_programFolder;
};

} // namespace vintora
