#pragma once

#include <QString>
#include <QUrl>

namespace vintora {

// Hands a document or an address to the desktop's open action. Tests put a
// recording opener in its place.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &url) = 0;
};

class DesktopUrlOpener : public UrlOpener
{
public:
    void open(const QUrl &url) override;
};

// The address of a local file, kept byte for byte: a name that is not valid
// UTF-8 (see DecodeFileName) has its bytes percent-encoded as they are.
QUrl localFileUrl(const QString &path);

} // namespace vintora
