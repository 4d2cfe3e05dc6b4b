#include "pictures/fact_texts.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>
#include <QTime>

#include <cmath>

namespace vintora {

namespace {

// A number with at most one decimal, without a trailing ".0".
QString oneDecimal(double value)
{
    const double rounded = std::round(value * 10) / 10;
    return QString::number(rounded, 'f', rounded == std::floor(rounded) ? 0 : 1);
}

} // namespace

QString MetadataText(QByteArrayView bytes)
{
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes = bytes.first(nul);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean.simplified();
}

QString IsoFromExifDateTime(const QString &exif)
{
    const QDate date = QDate::fromString(exif.left(10), QStringLiteral("yyyy:MM:dd"));
    const QTime time = QTime::fromString(exif.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (exif.size() < 19 || exif.at(10) != QLatin1Char(' ') || !date.isValid() || !time.isValid())
        return QString();
    return date.toString(Qt::ISODate) + QLatin1Char('T') + time.toString(Qt::ISODate);
}

QString ClockOffset(const QString &offset)
{
    static const QRegularExpression form(QStringLiteral("^[+-](\\d\\d):(\\d\\d)$"));
    const QRegularExpressionMatch match = form.match(offset.trimmed());
    if (!match.hasMatch() || match.captured(1).toInt() > 14 || match.captured(2).toInt() > 59)
        return QString();
    return offset.trimmed();
}

std::optional<TakenTime> TakenFromXmpDate(const QString &xmp)
{
    static const QRegularExpression form(QStringLiteral(
            "^(\\d{4}-\\d\\d-\\d\\d)T(\\d\\d:\\d\\d)(:\\d\\d)?(\\.\\d+)?(Z|[+-]\\d\\d:\\d\\d)?$"));
    const QRegularExpressionMatch match = form.match(xmp.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(match.captured(1), Qt::ISODate);
    const QString seconds = match.captured(3).isEmpty() ? QStringLiteral(":00") : match.captured(3);
    const QTime time = QTime::fromString(match.captured(2) + seconds, QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    const QString zone = match.captured(5);
    return TakenTime{date.toString(Qt::ISODate) + QLatin1Char('T') + time.toString(Qt::ISODate),
                     zone == QLatin1String("Z") ? QStringLiteral("+00:00") : ClockOffset(zone)};
}

QString CameraName(const QString &make, const QString &model)
{
    if (model.isEmpty())
        return make;
    const QString makeWord = make.section(QLatin1Char(' '), 0, 0);
    if (makeWord.isEmpty() || model.startsWith(makeWord, Qt::CaseInsensitive))
        return model;
    return make + QLatin1Char(' ') + model;
}

QString ShutterText(double seconds)
{
    if (!(seconds > 0) || seconds > 3600)
        return QString();
    if (seconds >= 1)
        return oneDecimal(seconds) + QLatin1String(" s");
    const double over = 1 / seconds;
    return QLatin1String("1/")
           + (over >= 10 ? QString::number(std::lround(over)) : oneDecimal(over))
           + QLatin1String(" s");
}

QString ApertureText(double fNumber)
{
    if (!(fNumber >= 0.5) || fNumber > 256)
        return QString();
    return QLatin1String("f/") + oneDecimal(fNumber);
}

QString IsoText(double speed)
{
    // 65535 is what EXIF's 16 bits hold when the speed was higher.
    if (!(speed >= 1) || speed >= 65535)
        return QString();
    return QLatin1String("ISO ") + QString::number(std::lround(speed));
}

QString FocalLengthText(double mm)
{
    if (!(mm > 0) || mm > 10000)
        return QString();
    return oneDecimal(mm) + QLatin1String(" mm");
}

QString ExposureText(const QString &shutter, const QString &aperture, const QString &iso,
                     const QString &focalLength)
{
    QStringList parts{shutter, aperture, iso, focalLength};
    parts.removeAll(QString());
    return parts.join(QLatin1String(", "));
}

bool IsPlaceholderDescription(const QString &text, const QString &make, const QString &model)
{
    // What cameras and phones are known to write in place of a description.
    static const QStringList placeholders{
            QStringLiteral("OLYMPUS DIGITAL CAMERA"),
            QStringLiteral("SONY DSC"),
            QStringLiteral("DIGITAL CAMERA"),
            QStringLiteral("KONICA MINOLTA DIGITAL CAMERA"),
            QStringLiteral("MINOLTA DIGITAL CAMERA"),
            QStringLiteral("SAMSUNG CAMERA PICTURES"),
            QStringLiteral("SAMSUNG DIGITAL CAMERA"),
            QStringLiteral("DCIM"),
            QStringLiteral("CAMERA"),
            QStringLiteral("PICTURE"),
            QStringLiteral("IMAGE"),
            QStringLiteral("DEFAULT"),
            QStringLiteral("UNTITLED"),
            QStringLiteral("UNTITLED IMAGE"),
    };
    const QString words = text.simplified();
    if (words.isEmpty())
        return true;
    const auto same = [&words](const QString &other) {
        return !other.isEmpty() && words.compare(other, Qt::CaseInsensitive) == 0;
    };
    for (const QString &placeholder : placeholders) {
        if (same(placeholder))
            return true;
    }
    return same(make) || same(model) || same(CameraName(make, model))
           || same(make + QLatin1Char(' ') + model);
}

QString ShortenedFact(const QString &text, qsizetype limit)
{
    if (text.size() <= limit)
        return text;
    qsizetype cut = limit - 1;
    // Not inside a pair of UTF-16 halves.
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    const qsizetype space = text.lastIndexOf(QLatin1Char(' '), cut);
    if (space > cut - 20 && space > 0)
        cut = space;
    return text.left(cut).trimmed() + QChar(0x2026);
}

} // namespace vintora
