#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <optional>

namespace vintora {

// The bytes of a picture file, read from the device's start into memory in
// one piece: at most expected bytes (its size when it was looked at, which
// its caller has judged), so that a file growing meanwhile is never followed;
// fewer when it shrank. Nothing, with the reason in why in plain words that
// follow the file's name ("it cannot be read (Input/output error)"), when
// it cannot be read or there is no memory for it.
std::optional<QByteArray> ReadPictureBytes(QIODevice &device, qint64 expected, QString *why);

} // namespace vintora
