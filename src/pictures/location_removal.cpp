#include "pictures/location_removal.h"

#include "pictures/location_keys.h"
#include "pictures/metadata_io.h"
#include "pictures/picture_parts.h"

#include <QBuffer>

#include <array>

namespace vintora {

namespace {

// What reading a file's metadata (within the reader's bounds) found.
struct Inspection
{
    enum class State {
        Clean,      // read without a word from Exiv2
        Damaged,    // read, with warnings: some of it may not have been understood
        Unreadable, // reading failed part way
        TooLarge,   // a block over the bound was passed over, or the budget ran out
    };
    State state = State::Clean;
    int type = Exiv2::ImageType::none;
    bool holdsLocation = false;
};

// The types whose metadata is looked at: those rewritten, and those only
// read (HEIF and AVIF, TIFF).
bool isInspected(int type)
{
    return type == Exiv2::ImageType::jpeg || type == Exiv2::ImageType::png
           || type == Exiv2::ImageType::webp || type == Exiv2::ImageType::bmff
           || type == Exiv2::ImageType::tiff;
}

bool isRewritten(int type)
{
    return type == Exiv2::ImageType::jpeg || type == Exiv2::ImageType::png
           || type == Exiv2::ImageType::webp;
}

Inspection inspect(QByteArrayView file)
{
    PrepareExiv2();
    const ExivMessages messages;
    QByteArray bytes = QByteArray::fromRawData(file.data(), file.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DeviceRecord record;
    auto *io = new DeviceIo(buffer, record);
    Exiv2::BasicIo::AutoPtr owned(io);
    Inspection found;
    bool failed = false;
    try {
        found.type = Exiv2::ImageFactory::getType(*io);
        if (!isInspected(found.type))
            return found;
        Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(owned);
        if (!image.get())
            return found;
        image->readMetadata();
        found.holdsLocation
                = HoldsLocationKey(image->exifData(), image->xmpData(), image->iptcData());
    } catch (...) {
        failed = true;
    }
    // Reading fails when the budget runs out, so that is asked first.
    if (record.passedOverBlock || record.ranOutOfBudget)
        found.state = Inspection::State::TooLarge;
    else if (failed)
        found.state = Inspection::State::Unreadable;
    else if (!messages.messages().isEmpty())
        found.state = Inspection::State::Damaged;
    return found;
}

// The file with its metadata written anew from what Exiv2 read of it,
// without location. The EXIF is dropped and written once more, so that
// it is made from what was read and nothing of the old block (a part that
// could not be read) stays.
QByteArray rewritten(QByteArrayView file)
{
    const ExivMessages messages;
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte *>(file.data()), long(file.size()));
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    Exiv2::XmpData xmp = image->xmpData();
    Exiv2::IptcData iptc = image->iptcData();
    EraseLocation(exif, xmp, iptc);
    image->clearExifData();
    image->writeMetadata();
    image->setExifData(exif);
    image->setIptcData(iptc);
    // XMP goes as a packet made here: written from its properties, Exiv2
    // keeps a WebP's old XMP when none are left.
    std::string packet;
    if (!xmp.empty() && Exiv2::XmpParser::encode(packet, xmp) > 1)
        return QByteArray();
    image->setXmpPacket(packet);
    image->writeXmpFromPacket(true);
    image->writeMetadata();

    Exiv2::BasicIo &io = image->io();
    if (io.open() != 0)
        return QByteArray();
    const Exiv2::DataBuf result = io.read(long(io.size()));
    io.close();
    return QByteArray(reinterpret_cast<const char *>(result.pData_), qsizetype(result.size_));
}

// Whether a picture that follows a JPEG's first scan (a second frame or a
// depth map, each a JPEG of its own) tells where it was taken. Inside the
// scans a 0xFF byte is followed by 0x00 or a restart marker, so 0xFF 0xD8
// starts a picture of its own.
bool laterPictureTellsLocation(QByteArrayView file)
{
    const auto parts = PictureParts(file);
    if (!parts || parts->isEmpty())
        return false;
    constexpr int kMostLaterPictures = 16;
    qsizetype at = parts->last().data() - file.data();
    for (int seen = 0; seen < kMostLaterPictures; ++seen) {
        at = file.indexOf(QByteArrayView("\xFF\xD8\xFF", 3), at + 1);
        if (at < 0)
            return false;
        const Inspection later = inspect(file.sliced(at));
        if (later.type == Exiv2::ImageType::jpeg && later.holdsLocation)
            return true;
    }
    return false;
}

// A GIF's XMP sits in an application block that Exiv2 neither reads nor
// writes; one that names a place or a GPS property is taken to tell it.
bool gifMayTellLocation(QByteArrayView file)
{
    if (!file.startsWith("GIF8") || !file.contains("XMP DataXMP"))
        return false;
    constexpr std::array<const char *, 5> kLocationWords{"GPS", "City", "State", "Country",
                                                         "Location"};
    for (const char *word : kLocationWords) {
        if (file.contains(word))
            return true;
    }
    return false;
}

// Whether a HEIF or AVIF file holds an EXIF or XMP item (an item-info
// entry, version 2 or 3, of type "Exif" or "mime"). Exiv2 does not read
// every such file's EXIF, so one that holds any is taken to tell where it
// was taken.
bool heifHoldsMetadataItem(QByteArrayView file)
{
    for (qsizetype at = file.indexOf("infe"); at >= 4; at = file.indexOf("infe", at + 1)) {
        if (at + 5 > file.size())
            return false;
        const int version = quint8(file.at(at + 4));
        if (version < 2 || version > 3)
            continue;
        const qsizetype typeAt = at + 8 + (version == 2 ? 2 : 4) + 2;
        if (typeAt + 4 > file.size())
            return false;
        const QByteArrayView type = file.sliced(typeAt, 4);
        if (type == "Exif" || type == "mime")
            return true;
    }
    return false;
}

LocationRemoval notPossible(const QString &why)
{
    return {LocationRemoval::Outcome::NotPossible, QByteArray(), why};
}

LocationRemoval removedOrNot(QByteArrayView file)
{
    QByteArray result;
    try {
        result = rewritten(file);
    } catch (...) {
        result.clear();
    }
    if (result.isEmpty())
        return notPossible(QStringLiteral("its metadata could not be written anew"));
    if (!SamePicture(file, result))
        return notPossible(
                QStringLiteral("its metadata could not be written anew without touching the "
                               "picture"));
    const Inspection again = inspect(result);
    if (again.holdsLocation || again.state == Inspection::State::Unreadable
        || again.state == Inspection::State::TooLarge)
        return notPossible(QStringLiteral("its metadata could not be written anew without where it "
                                          "was taken"));
    return {LocationRemoval::Outcome::Removed, result, QString()};
}

} // namespace

LocationRemoval RemoveLocation(QByteArrayView file)
{
    if (gifMayTellLocation(file))
        return notPossible(QStringLiteral("its XMP may tell where it was taken, and the XMP of a "
                                          "GIF is not written anew"));
    const Inspection found = inspect(file);
    switch (found.state) {
    case Inspection::State::Unreadable:
        return notPossible(QStringLiteral(
                "its metadata is damaged, so whether it tells where it was taken is not known"));
    case Inspection::State::TooLarge:
        return notPossible(
                QStringLiteral("its metadata is too large to be checked for where it was taken"));
    case Inspection::State::Clean:
    case Inspection::State::Damaged:
        break;
    }
    if (!isRewritten(found.type)) {
        if (found.holdsLocation || found.state == Inspection::State::Damaged
            || (found.type == Exiv2::ImageType::bmff && heifHoldsMetadataItem(file)))
            return notPossible(QStringLiteral("it may tell where it was taken, and the metadata "
                                              "of its format is not written anew"));
        return {};
    }
    if (found.type == Exiv2::ImageType::jpeg && laterPictureTellsLocation(file))
        return notPossible(QStringLiteral("a second picture inside it tells where it was taken"));
    // What was read without a word and holds no location needs nothing
    // done; anything else is written anew, which leaves out what Exiv2
    // could not read.
    if (!found.holdsLocation && found.state == Inspection::State::Clean)
        return {};
    return removedOrNot(file);
}

} // namespace vintora
