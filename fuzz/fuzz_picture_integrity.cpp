// The damage checks of JPEG, PNG, GIF and BMP on any bytes.

#include "fuzz_check.h"
#include "pictures/picture_integrity.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes
            = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool complete = vintora::PictureLooksComplete(QByteArrayView(bytes));

    // The device form reads the same bytes and gives the same answer.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    FUZZ_CHECK(vintora::PictureLooksComplete(buffer) == complete);
    FUZZ_CHECK(buffer.pos() == 0);
    return 0;
}
