#pragma once

#include "shell/url_opener.h"

#include <QCoreApplication>
#include <QObject>

#include <array>

namespace vintora {

class ClickableLabel;

// The three link icons of the Welcome page, Image4(0..2): a click hands the
// read-me, the mail address or the web address to the desktop's open action
// and returns at once. Nothing is reported: a failure leaves the wizard as
// it was. The captions under the icons are not links.
class WelcomeLinks : public QObject
{
    Q_OBJECT

public:
    WelcomeLinks(UrlOpener &opener, const std::array<ClickableLabel *, 3> &image4,
                 const QString &programFolder = QCoreApplication::applicationDirPath(),
                 QObject *parent = nullptr);

    // Image4(index) was clicked; an index other than 0, 1 or 2 does nothing.
    void click(int index);

private:
    UrlOpener &m_opener;
    QString m_programFolder;
};

} // namespace vintora
