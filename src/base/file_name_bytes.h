#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vintora {

// File names as the file system holds them, kept byte for byte in a
// QString. A name that is valid UTF-8 decodes as usual. A byte that is not
// part of a valid UTF-8 sequence (a Latin-1 "é" on a UTF-8 system, say)
// becomes the lone surrogate U+DC00 + byte, which no valid name decodes
// to, and encoding turns it back into that byte. Qt's own conversion would
// replace such bytes with U+FFFD and lose the name.
QString DecodeFileName(QByteArrayView bytes);
QByteArray EncodeFileName(QStringView name);

// True when the name holds a byte that is not valid UTF-8.
bool HasRawBytes(QStringView name);

// The name as people read it: each raw byte shown as U+FFFD.
QString DisplayFileName(const QString &name);

} // namespace vintora
