#pragma once

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

} // namespace vintora
