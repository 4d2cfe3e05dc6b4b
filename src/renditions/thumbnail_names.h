#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vintora {

// The formats a thumbnail file may hold, as Qt names them: JPEG and PNG for
// thumbnails made small, and GIF and BMP for small pictures kept as they
// are.
bool IsThumbnailFormat(const QByteArray &format);

// The name of the thumbnail file of format made for stem (the name the
// picture has in the output): stem itself when its extension already says
// that type, in any letter case, else stem with the type's extension put
// after it, so that a web server names its type truly. "IMG_1.png" and
// "jpeg" give "IMG_1.png.jpg"; "IMG_1.JPG" and "jpeg" give "IMG_1.JPG".
QString ThumbnailFileName(const QString &stem, const QByteArray &format);

// Every name a thumbnail of stem may take, whatever its type. Two pictures
// whose sets share no name never share a thumbnail.
QStringList ThumbnailFileNames(const QString &stem);

} // namespace vintora
