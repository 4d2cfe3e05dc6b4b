// The command line's colour reading, on any text.

#include "cli/cli_options.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<vintora::ColorValue> color = vintora::readHtmlColor(text);
    if (!color)
        return 0;
    // 0x00BBGGRR, written back as #RRGGBB, is the text without blanks.
    FUZZ_CHECK(*color <= 0xFFFFFF);
    const QString written = QStringLiteral("%1%2%3")
                                    .arg(*color & 0xFF, 2, 16, QLatin1Char('0'))
                                    .arg((*color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
                                    .arg(*color >> 16, 2, 16, QLatin1Char('0'));
    QString typed = text.trimmed();
    if (typed.startsWith(QLatin1Char('#')))
        typed.remove(0, 1);
    FUZZ_CHECK(written.compare(typed, Qt::CaseInsensitive) == 0);
    return 0;
}
