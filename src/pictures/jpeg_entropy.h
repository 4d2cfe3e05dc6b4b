#pragma once

#include <QByteArrayView>

namespace vintora {

// Where the entropy-coded data of a JPEG scan that starts at from ends:
// the position of the marker after it (its first 0xFF byte), passing over
// stuffed bytes (0xFF 0x00) and restart markers. -1 when the data runs to
// the end of the bytes.
qsizetype JpegEntropyDataEnd(QByteArrayView jpeg, qsizetype from);

} // namespace vintora
