#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace vintora {

class OutputFolder;
class SourceFile;

// The files made of pictures: how each is named, encoded and recognised
// when an earlier run made it.

// What a made file records of the picture it was made from: its size in
// bytes and a hash of them.
QString SourceRecord(const QByteArray &picture);

// The name a made file holding format takes for stem: with its type put
// after it (see ThumbnailFileName), or stem itself when not namedByType.
QString MadeFileName(const QString &stem, bool namedByType, const QByteArray &format);
// Every name it may have now, whatever it holds.
QStringList MadeFileNames(const QString &stem, bool namedByType);

// The name among names of a file in folder that can be kept: one made from
// the picture its record names at pixelSize, or, for a file that is the
// picture as it is (asItIs), one holding exactly its bytes. Empty when
// there is none.
QString KeptFileName(const OutputFolder &folder, const QStringList &names, const QString &record,
                     QSize pixelSize, bool asItIs, SourceFile &picture, qint64 pictureBytes);

// True when name in folder is a file a run made (it records what it was
// made from), which a later run may replace.
bool IsMadeThumbnail(const OutputFolder &folder, const QString &name);

// The picture saved as a made file: JPEG, or PNG when some pixel is not
// fully opaque, recording what it was made from; its format goes to
// format. Empty with the reason in why when it cannot be.
QByteArray EncodeMadeFile(QImage &image, const QString &record, QByteArray *format, QString *why);

} // namespace vintora
