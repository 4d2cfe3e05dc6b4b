// The HEIF and AVIF reader (libheif): the header, then a thumbnail's decode where the
// header's cost is within the limit, on any bytes.

#include "fuzz_check.h"
#include "fuzz_thumbnail.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const FuzzedThumbnail made = DecodeFuzzedThumbnail(bytes, vintora::IsOwnReaderFormat);
    FUZZ_CHECK(!made.tried
               || (made.image.isNull() ? !made.why.isEmpty() : made.image.size() == made.size));
    return 0;
}
