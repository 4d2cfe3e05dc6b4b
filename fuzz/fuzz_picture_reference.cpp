// The escaping of picture references for the page's attributes. The first
// byte chooses: bit 0 a relative reference, bit 1 a backslash separator,
// bit 2 the rest is a file name's bytes (decoded as folder listings decode
// them) rather than UTF-16 units, lone surrogates and all.

#include "base/file_name_bytes.h"
#include "fuzz_check.h"
#include "page/picture_reference.h"

#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

QString referenceFrom(const uint8_t *data, size_t size, bool nameBytes)
{
    if (nameBytes)
        return vintora::DecodeFileName(QByteArrayView(data, qsizetype(size)));
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

int upperHexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Undoes the escaping: entities and percent-encoded bytes back to bytes.
// Every "%" and "&" of the escaped text must start one of them.
QByteArray unescaped(const QByteArray &escaped)
{
    static const char *const entities[][2]
            = {{"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}};
    QByteArray bytes;
    for (qsizetype i = 0; i < escaped.size();) {
        const char c = escaped.at(i);
        if (c == '%') {
            FUZZ_CHECK(i + 2 < escaped.size());
            const int high = upperHexValue(escaped.at(i + 1));
            const int low = upperHexValue(escaped.at(i + 2));
            FUZZ_CHECK(high >= 0 && low >= 0);
            bytes.append(char(high << 4 | low));
            i += 3;
            continue;
        }
        if (c == '&') {
            qsizetype length = 0;
            for (const auto &entity : entities) {
                if (escaped.mid(i).startsWith(entity[0])) {
                    bytes.append(entity[1]);
                    length = qsizetype(std::strlen(entity[0]));
                }
            }
            FUZZ_CHECK(length > 0);
            i += length;
            continue;
        }
        bytes.append(c);
        ++i;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const bool relative = data[0] & 1;
    const QChar separator = (data[0] & 2) ? QLatin1Char('\\') : QLatin1Char('/');
    const QString reference = referenceFrom(data + 1, size - 1, data[0] & 4);

    QByteArray escaped;
    vintora::AppendEscapedReference(escaped, reference, relative, separator);
    FUZZ_CHECK(vintora::EscapeReference(reference, relative, separator)
               == QString::fromLatin1(escaped));
    for (const char c : escaped) {
        FUZZ_CHECK(uchar(c) >= 0x20 && uchar(c) < 0x7F);
        FUZZ_CHECK(c != '"' && c != '<' && c != '>');
    }
    // A relative reference never reads as one with a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (relative)
        FUZZ_CHECK(!scheme.match(QString::fromLatin1(escaped)).hasMatch());
    // Unescaped, it names the very bytes the file name is.
    FUZZ_CHECK(unescaped(escaped) == vintora::EncodeFileName(reference));
    return 0;
}
