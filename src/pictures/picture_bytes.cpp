#include "pictures/picture_bytes.h"

#include <new>

namespace vintora {

std::optional<QByteArray> ReadPictureBytes(QIODevice &device, qint64 expected, QString *why)
{
    if (!device.seek(0)) {
        *why = QStringLiteral("it cannot be read (%1)").arg(device.errorString());
        return std::nullopt;
    }
    QByteArray bytes;
    try {
        bytes = QByteArray(qsizetype(expected), Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        *why = QStringLiteral("there is not enough memory to read it");
        return std::nullopt;
    }
    qint64 done = 0;
    while (done < expected) {
        const qint64 got = device.read(bytes.data() + done, expected - done);
        if (got < 0) {
            *why = QStringLiteral("it cannot be read (%1)").arg(device.errorString());
            return std::nullopt;
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(qsizetype(done));
    return bytes;
}

} // namespace vintora
