#pragma once

#include "desktop/url_opener.h"

#include <QList>

// Records every address handed to the desktop's open action.
class RecordingUrlOpener : public vintora::UrlOpener
{
public:
    QList<QUrl> opened;
    void open(const QUrl &url) override { opened.append(url); }
};
