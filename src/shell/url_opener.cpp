#include "shell/url_opener.h"

#include <QDesktopServices>

namespace vintora {

void DesktopUrlOpener::open(const QUrl &url)
{
    // The result is of no interest: a failure leaves the wizard as it was.
    QDesktopServices::openUrl(url);
}

} // namespace vintora
