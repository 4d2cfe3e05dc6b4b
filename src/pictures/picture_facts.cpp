#include "pictures/picture_facts.h"

#include "pictures/fact_texts.h"
#include "pictures/location_keys.h"
#include "pictures/metadata_io.h"

#include <QBuffer>
#include <QRegularExpression>

#include <cmath>
#include <initializer_list>
#include <optional>

namespace vintora {

namespace {

constexpr qsizetype kDescriptionLimit = 2000;
constexpr qsizetype kFactLimit = 200;

// The metadata of one picture, read.
struct Metadata
{
    const Exiv2::ExifData &exif;
    const Exiv2::XmpData &xmp;
    const Exiv2::IptcData &iptc;
};

// The text of an EXIF entry stored as text (an entry in any other form,
// bytes say, is not one).
QString exifText(const Exiv2::ExifData &exif, const char *key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    if (found == exif.end() || found->typeId() != Exiv2::asciiString)
        return QString();
    const std::string text = found->toString();
    return MetadataText(QByteArrayView(text.data(), qsizetype(text.size())));
}

// An XMP property's text; for a property in several languages, the one
// for any language ("x-default"), else the first.
QString xmpText(const Exiv2::XmpData &xmp, const char *key)
{
    const auto found = xmp.findKey(Exiv2::XmpKey(key));
    if (found == xmp.end())
        return QString();
    std::string text;
    if (const auto *languages = dynamic_cast<const Exiv2::LangAltValue *>(&found->value())) {
        const auto any = languages->value_.find("x-default");
        if (any != languages->value_.end())
            text = any->second;
        else if (!languages->value_.empty())
            text = languages->value_.begin()->second;
    } else {
        text = found->toString();
    }
    return MetadataText(QByteArrayView(text.data(), qsizetype(text.size())));
}

QString iptcText(const Exiv2::IptcData &iptc, const char *key)
{
    const auto found = iptc.findKey(Exiv2::IptcKey(key));
    if (found == iptc.end())
        return QString();
    const std::string text = found->toString();
    return MetadataText(QByteArrayView(text.data(), qsizetype(text.size())));
}

// The first of the keys that holds a number (a rational, an integer or
// XMP's "250/1"), EXIF keys first.
std::optional<double> number(const Metadata &data, std::initializer_list<const char *> keys)
{
    for (const char *key : keys) {
        const bool isExif = std::string_view(key).substr(0, 5) == "Exif.";
        Exiv2::Rational value{0, 0};
        if (isExif) {
            const auto found = data.exif.findKey(Exiv2::ExifKey(key));
            if (found == data.exif.end() || found->count() == 0)
                continue;
            value = found->toRational(0);
        } else {
            const auto found = data.xmp.findKey(Exiv2::XmpKey(key));
            if (found == data.xmp.end() || found->count() == 0)
                continue;
            value = found->toRational(0);
        }
        if (value.second != 0)
            return double(value.first) / double(value.second);
    }
    return std::nullopt;
}

TakenTime takenTime(const Metadata &data)
{
    QString taken = IsoFromExifDateTime(exifText(data.exif, "Exif.Photo.DateTimeOriginal"));
    if (!taken.isEmpty())
        return {taken, ClockOffset(exifText(data.exif, "Exif.Photo.OffsetTimeOriginal"))};
    taken = IsoFromExifDateTime(exifText(data.exif, "Exif.Image.DateTime"));
    if (!taken.isEmpty())
        return {taken, ClockOffset(exifText(data.exif, "Exif.Photo.OffsetTime"))};
    for (const char *key :
         {"Xmp.exif.DateTimeOriginal", "Xmp.photoshop.DateCreated", "Xmp.xmp.CreateDate"}) {
        if (const auto time = TakenFromXmpDate(xmpText(data.xmp, key)))
            return *time;
    }
    return {};
}

QString exposure(const Metadata &data)
{
    QString shutter = ShutterText(
            number(data, {"Exif.Photo.ExposureTime", "Xmp.exif.ExposureTime"}).value_or(0));
    if (shutter.isEmpty()) {
        // APEX: the time is 2 to the minus value.
        if (const auto apex = number(data, {"Exif.Photo.ShutterSpeedValue"});
            apex && std::abs(*apex) < 32)
            shutter = ShutterText(std::exp2(-*apex));
    }
    QString aperture
            = ApertureText(number(data, {"Exif.Photo.FNumber", "Xmp.exif.FNumber"}).value_or(0));
    if (aperture.isEmpty()) {
        // APEX: the f-number is the square root of 2 to the value.
        if (const auto apex = number(data, {"Exif.Photo.ApertureValue"}); apex && *apex < 32)
            aperture = ApertureText(std::exp2(*apex / 2));
    }
    const QString iso = IsoText(
            number(data, {"Exif.Photo.ISOSpeedRatings", "Xmp.exif.ISOSpeedRatings"}).value_or(0));
    const QString focal = FocalLengthText(
            number(data, {"Exif.Photo.FocalLength", "Xmp.exif.FocalLength"}).value_or(0));
    return ExposureText(shutter, aperture, iso, focal);
}

QString description(const Metadata &data, const QString &make, const QString &model)
{
    for (const QString &text :
         {xmpText(data.xmp, "Xmp.dc.description"), iptcText(data.iptc, "Iptc.Application2.Caption"),
          exifText(data.exif, "Exif.Image.ImageDescription")}) {
        if (!IsPlaceholderDescription(text, make, model))
            return ShortenedFact(text, kDescriptionLimit);
    }
    return QString();
}

PictureFacts factsOf(const Metadata &data)
{
    PictureFacts facts;
    const TakenTime time = takenTime(data);
    facts.taken = time.taken;
    facts.takenOffset = time.offset;
    const QString make = exifText(data.exif, "Exif.Image.Make");
    const QString model = exifText(data.exif, "Exif.Image.Model");
    facts.camera = ShortenedFact(CameraName(make, model), kFactLimit);
    QString lens = exifText(data.exif, "Exif.Photo.LensModel");
    for (const char *key : {"Xmp.exifEX.LensModel", "Xmp.aux.Lens"}) {
        if (lens.isEmpty())
            lens = xmpText(data.xmp, key);
    }
    // Some lenses write dashes or blanks when they have no name to give.
    if (!lens.contains(QRegularExpression(QStringLiteral("\\w"))))
        lens.clear();
    facts.lens = ShortenedFact(lens, kFactLimit);
    facts.exposure = exposure(data);
    facts.description = description(data, make, model);
    facts.hasLocation = TellsLocation(data.exif, data.xmp, data.iptc);
    return facts;
}

// The picture types whose metadata is read; Exiv2 knows more, none of
// which this program shows.
bool isReadType(int type)
{
    return type == Exiv2::ImageType::jpeg || type == Exiv2::ImageType::png
           || type == Exiv2::ImageType::webp || type == Exiv2::ImageType::bmff;
}

} // namespace

PictureFacts ReadPictureFacts(QIODevice &file, QString *note)
{
    PrepareExiv2();
    const ExivMessages messages;
    const qint64 start = file.pos();
    DeviceRecord record;
    auto *io = new DeviceIo(file, record);
    Exiv2::BasicIo::AutoPtr owned(io);
    Exiv2::Image::AutoPtr image;
    bool damaged = false;
    PictureFacts facts;
    try {
        if (!isReadType(Exiv2::ImageFactory::getType(*io)))
            return {};
        image = Exiv2::ImageFactory::open(owned);
        if (!image.get())
            return {};
        image->readMetadata();
    } catch (...) {
        // What was read before the damage still counts.
        damaged = true;
    }
    try {
        if (image.get())
            facts = factsOf({image->exifData(), image->xmpData(), image->iptcData()});
    } catch (...) {
        damaged = true;
    }
    file.seek(start);
    if (note) {
        if (record.ranOutOfBudget)
            *note = QStringLiteral("its metadata is over 8 MB; only the first 8 MB were read");
        else if (record.passedOverBlock)
            *note = QStringLiteral("a block of its metadata over 1 MB was passed over");
        else if (damaged)
            *note = QStringLiteral("its metadata is damaged; some of its facts may be missing");
    }
    return facts;
}

PictureFacts ReadPictureFacts(QByteArrayView bytes, QString *note)
{
    QByteArray copy = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return ReadPictureFacts(buffer, note);
}

} // namespace vintora
