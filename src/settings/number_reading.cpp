#include "settings/number_reading.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace vintora {

std::optional<qint16> readNumber(const QString &text)
{
    // Plain decimal notation only: an optional sign, digits with an optional
    // fraction, an optional exponent. No hexadecimal, no "inf" or "nan".
    static const QRegularExpression pattern(
            QStringLiteral(R"(^\s*[+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;

    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return toInteger16(value);
}

std::optional<qint16> toInteger16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

QString badNumberMessage()
{
    return QStringLiteral("Type a whole number from -32768 to 32767.");
}

} // namespace vintora
