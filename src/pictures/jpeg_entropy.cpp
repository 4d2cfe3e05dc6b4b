#include "pictures/jpeg_entropy.h"

#include <cstring>

namespace vintora {

qsizetype JpegEntropyDataEnd(QByteArrayView jpeg, qsizetype from)
{
    const auto *s = reinterpret_cast<const unsigned char *>(jpeg.data());
    const qsizetype size = jpeg.size();
    qsizetype i = from;
    while (i < size) {
        const void *hit = std::memchr(s + i, 0xFF, size_t(size - i));
        if (!hit)
            return -1;
        i = static_cast<const unsigned char *>(hit) - s;
        qsizetype next = i + 1;
        while (next < size && s[next] == 0xFF) // fill bytes
            ++next;
        if (next >= size)
            return -1;
        if (s[next] != 0x00 && (s[next] < 0xD0 || s[next] > 0xD7))
            return next - 1;
        i = next + 1;
    }
    return -1;
}

} // namespace vintora
