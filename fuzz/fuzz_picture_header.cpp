// The picture header reader, through Qt's image readers, on any bytes.

#include "fuzz_check.h"
#include "pictures/picture_header.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Qt's readers warn about every broken file; the run would do little else.
    qInstallMessageHandler(dropMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    buffer.open(QIODevice::ReadOnly);
    const vintora::PictureHeader header = vintora::ReadPictureHeader(buffer);
    if (header.isValid()) {
        FUZZ_CHECK(header.orientedSize().width() > 0);
        FUZZ_CHECK(header.orientedSize().height() > 0);
    }
    return 0;
}
