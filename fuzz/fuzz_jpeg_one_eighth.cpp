// The JPEG scan walker that leaves out the refinement scans a decode at 1/8
// does not need.

#include "fuzz_check.h"
#include "pictures/picture_integrity.h"
#include "pictures/thumbnail_jpeg.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView jpeg(data, qsizetype(size));
    const QByteArray lighter = vintora::JpegForOneEighth(jpeg);
    // The same in place: the same bytes, or the picture untouched.
    QByteArray inPlace = jpeg.toByteArray();
    FUZZ_CHECK(vintora::LightenJpegForOneEighth(inPlace) == !lighter.isEmpty());
    FUZZ_CHECK(inPlace == (lighter.isEmpty() ? jpeg.toByteArray() : lighter));
    if (lighter.isEmpty())
        return 0;
    // It is only ever given pictures that pass the damage check; what it
    // makes of them passes too, is smaller, and has nothing more to leave out.
    if (!vintora::PictureLooksComplete(jpeg))
        return 0;
    FUZZ_CHECK(vintora::PictureLooksComplete(QByteArrayView(lighter)));
    FUZZ_CHECK(lighter.size() < jpeg.size());
    FUZZ_CHECK(vintora::JpegForOneEighth(lighter).isEmpty());
    return 0;
}
