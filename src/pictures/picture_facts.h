#pragma once

#include <QByteArrayView>
#include <QString>

namespace vintora {

// What a picture's EXIF tells about how it was taken, in words a caption
// can show. Each text is empty when the picture does not hold it.
struct PictureFacts
{
    // The date and time taken as the camera's clock read them, in ISO form
    // without a zone: "2024-05-01T12:33:10".
    QString taken;
    // Maker and model: "Canon EOS 80D", "Apple iPhone 12".
    QString camera;
    // The lens: "EF 24-105mm f/4L IS USM".
    QString lens;
    // How it was exposed: "1/250 s, f/8, ISO 100".
    QString exposure;
    // The photographer's description of the picture.
    QString description;

    bool isEmpty() const
    {
        return taken.isEmpty() && camera.isEmpty() && lens.isEmpty() && exposure.isEmpty()
               && description.isEmpty();
    }
    bool operator==(const PictureFacts &) const = default;
};

// Reads the facts from a picture file's bytes (a JPEG with an EXIF
// segment): the date taken from DateTimeOriginal, else from DateTime; the
// camera from Make and Model, the make left out where the model already
// starts with it. Anything else, or damaged EXIF, gives empty facts.
PictureFacts ReadPictureFacts(QByteArrayView bytes);

} // namespace vintora
