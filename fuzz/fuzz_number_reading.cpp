// The number boxes' reading, on any text (UTF-8, with bytes that are not
// valid UTF-8 replaced as Qt replaces them).

#include "fuzz_check.h"
#include "settings/number_reading.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<qint16> number = vintora::readNumber(text);
    // A number read back from its own decimal form is itself.
    if (number)
        FUZZ_CHECK(vintora::readNumber(QString::number(*number)) == number);
    return 0;
}
