#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace vintora {

// What a picture says of itself (its EXIF, XMP and IPTC) about how it was
// taken, in words a caption can show. Each text is empty when the picture
// does not hold it; isEmpty() when there is no text to show.
struct PictureFacts
{
    // The date and time taken as the camera's clock read them, in ISO form
    // without a zone: "2024-05-01T12:33:10".
    QString taken;
    // Maker and model: "Canon EOS 80D", "Apple iPhone 12".
    QString camera;
    // The lens: "EF 24-105mm f/4L IS USM".
    QString lens;
    // How it was exposed: "1/250 s, f/8, ISO 100, 50 mm".
    QString exposure;
    // The photographer's description of the picture.
    QString description;
    // How far the camera's clock was from UTC when the picture was taken,
    // "+02:00" or "-05:30"; empty when the picture does not say (or has no
    // date taken).
    QString takenOffset;
    // The picture holds where it was taken: GPS coordinates (EXIF or XMP)
    // or the names of the place (city, sub-location, state, country).
    bool hasLocation = false;

    bool isEmpty() const
    {
        return taken.isEmpty() && camera.isEmpty() && lens.isEmpty() && exposure.isEmpty()
               && description.isEmpty();
    }
    bool operator==(const PictureFacts &) const = default;
};

// Reads the facts from a picture file: JPEG (its segments in any order and
// at any offset), PNG, WebP, HEIF and AVIF, from their EXIF, XMP and IPTC.
//
// - taken: DateTimeOriginal (with OffsetTimeOriginal), else DateTime (with
//   OffsetTime), else XMP's date taken or created;
// - camera: Make and Model, the make left out where the model already
//   starts with its first word;
// - lens: LensModel, else XMP's lens;
// - exposure: shutter time, aperture, ISO and focal length, those known;
// - description: XMP dc:description, else IPTC Caption-Abstract, else EXIF
//   ImageDescription, passing over the placeholders cameras write
//   ("OLYMPUS DIGITAL CAMERA", "SONY DSC", blanks).
//
// The work is bounded: texts are shortened (a description to 2,000
// characters), a metadata block over 1 MB is passed over and no more than
// 8 MB of the file is read. Damaged or missing metadata gives what could
// be read, or empty facts. Where something was passed over or damaged,
// note (when given) receives a line that follows the file's name ("its
// metadata is damaged; some facts may be missing").
PictureFacts ReadPictureFacts(QIODevice &file, QString *note = nullptr);
PictureFacts ReadPictureFacts(QByteArrayView bytes, QString *note = nullptr);

} // namespace vintora
