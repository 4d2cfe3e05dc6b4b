// The walk over a JPEG scan's entropy-coded data. The first byte gives where
// the scan starts in the rest.

#include "fuzz_check.h"
#include "pictures/jpeg_entropy.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArrayView jpeg(data + 1, qsizetype(size - 1));
    const qsizetype from = qMin(qsizetype(data[0]), jpeg.size());
    const qsizetype end = vintora::JpegEntropyDataEnd(jpeg, from);
    if (end < 0)
        return 0;
    // The end is a marker: 0xFF and a byte that is neither a stuffed zero
    // nor a restart, after the scan's start.
    const auto *s = reinterpret_cast<const unsigned char *>(jpeg.data());
    FUZZ_CHECK(end >= from && end + 1 < jpeg.size());
    FUZZ_CHECK(s[end] == 0xFF);
    FUZZ_CHECK(s[end + 1] != 0x00 && (s[end + 1] < 0xD0 || s[end + 1] > 0xD7));
    return 0;
}
