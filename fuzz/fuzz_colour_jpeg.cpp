// The JPEG decode with colour profiles: the frame's colours and profile
// read from the segments, CMYK decoded with libjpeg and turned into sRGB
// with Little CMS, grey turned through its profile, on any bytes.

#include "fuzz_check.h"
#include "fuzz_thumbnail.h"
#include "pictures/cmyk_jpeg.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    FUZZ_CHECK(vintora::ReadJpegColours(bytes).components >= 0);
    const FuzzedThumbnail made = DecodeFuzzedThumbnail(
            bytes, [](const QByteArray &format) { return format == "jpeg"; });
    FUZZ_CHECK(made.image.isNull() || made.image.size() == made.size);
    return 0;
}
