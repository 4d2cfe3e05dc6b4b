// The file-name byte codec. The first byte chooses: even, the rest is a
// name's bytes; odd, it is UTF-16 units of a name, lone surrogates and all.

#include "base/file_name_bytes.h"
#include "fuzz_check.h"

#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void checkBytes(QByteArrayView bytes)
{
    const QString name = vintora::DecodeFileName(bytes);
    // Every name comes back as the bytes it was.
    FUZZ_CHECK(vintora::EncodeFileName(name) == bytes);
    // A byte order mark is a character of the name like any other, and a
    // sequence cut off at the end is an error, not one to be continued.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8(bytes);
    FUZZ_CHECK(vintora::HasRawBytes(name) == utf8.hasError());
    if (!utf8.hasError())
        FUZZ_CHECK(name == asUtf8);
    const QString shown = vintora::DisplayFileName(name);
    FUZZ_CHECK(shown.size() == name.size());
    FUZZ_CHECK(!vintora::HasRawBytes(shown));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    if ((data[0] & 1) == 0) {
        checkBytes(QByteArrayView(data + 1, qsizetype(size - 1)));
        return 0;
    }
    QString name(qsizetype((size - 1) / 2), Qt::Uninitialized);
    std::memcpy(name.data(), data + 1, size_t(name.size()) * 2);
    const QByteArray bytes = vintora::EncodeFileName(name);
    checkBytes(bytes);
    // Without raw bytes a name is plain UTF-8.
    if (!vintora::HasRawBytes(name))
        FUZZ_CHECK(bytes == name.toUtf8());
    return 0;
}
