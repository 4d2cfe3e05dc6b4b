#include "pictures/picture_facts.h"

#include <QDate>
#include <QStringDecoder>
#include <QTime>

#include <libexif/exif-data.h>

#include <climits>
#include <memory>

namespace vintora {

namespace {

struct ExifDataFree
{
    void operator()(ExifData *data) const { exif_data_unref(data); }
};
using ExifPointer = std::unique_ptr<ExifData, ExifDataFree>;

// EXIF text is meant to be ASCII; cameras and editors write UTF-8 or
// Latin-1 into it as well. Trailing blanks and NULs (fixed-length fields)
// go, and control characters, which no caption can show.
QString entryText(ExifContent *content, ExifTag tag)
{
    ExifEntry *entry = content ? exif_content_get_entry(content, tag) : nullptr;
    if (!entry || !entry->data || entry->format != EXIF_FORMAT_ASCII)
        return QString();
    QByteArrayView bytes(reinterpret_cast<const char *>(entry->data), qsizetype(entry->size));
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes = bytes.first(nul);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    QString clean;
    for (const QChar c : std::as_const(text)) {
        if (c.category() != QChar::Other_Control)
            clean += c;
    }
    return clean.simplified();
}

// "YYYY:MM:DD HH:MM:SS" as ISO text; empty for the blanks or zeros that
// cameras write when their clock was not set.
QString isoDateTime(const QString &exif)
{
    const QDate date = QDate::fromString(exif.left(10), QStringLiteral("yyyy:MM:dd"));
    const QTime time = QTime::fromString(exif.mid(11, 8), QStringLiteral("HH:mm:ss"));
    if (exif.size() < 19 || exif.at(10) != QLatin1Char(' ') || !date.isValid() || !time.isValid())
        return QString();
    return date.toString(Qt::ISODate) + QLatin1Char('T') + time.toString(Qt::ISODate);
}

// "Canon" and "Canon EOS 80D" make "Canon EOS 80D"; "NIKON CORPORATION"
// and "NIKON D750" make "NIKON D750"; "Apple" and "iPhone 12" make
// "Apple iPhone 12".
QString cameraName(const QString &make, const QString &model)
{
    if (model.isEmpty())
        return make;
    const QString makeWord = make.section(QLatin1Char(' '), 0, 0);
    if (makeWord.isEmpty() || model.startsWith(makeWord, Qt::CaseInsensitive))
        return model;
    return make + QLatin1Char(' ') + model;
}

} // namespace

PictureFacts ReadPictureFacts(QByteArrayView bytes)
{
    if (bytes.size() < 4 || bytes.size() > INT_MAX)
        return {};
    ExifPointer exif(exif_data_new());
    if (!exif)
        return {};
    // As written, with none of libexif's three options (one bit each): by
    // default it adds the tags the EXIF standard asks for, with made-up
    // values, to pictures that lack them. The others only decide what it
    // drops or changes, and the facts are only read.
    for (unsigned bit = 0; bit < 3; ++bit)
        exif_data_unset_option(exif.get(), ExifDataOption(1u << bit));
    exif_data_load_data(exif.get(), reinterpret_cast<const unsigned char *>(bytes.data()),
                        unsigned(bytes.size()));

    ExifContent *main = exif->ifd[EXIF_IFD_0];
    PictureFacts facts;
    facts.taken = isoDateTime(entryText(exif->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL));
    if (facts.taken.isEmpty())
        facts.taken = isoDateTime(entryText(main, EXIF_TAG_DATE_TIME));
    facts.camera = cameraName(entryText(main, EXIF_TAG_MAKE), entryText(main, EXIF_TAG_MODEL));
    return facts;
}

} // namespace vintora
