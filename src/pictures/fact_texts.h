#pragma once

// The words a caption shows of a picture's metadata, made from the values
// as they are stored.

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vintora {

// Metadata text as people read it: up to its first NUL, UTF-8 or else
// Latin-1 (cameras and editors write either where ASCII is meant), without
// control characters, blanks run together.
QString MetadataText(QByteArrayView bytes);

// A date and time taken, ISO without a zone ("2024-05-01T12:33:10"), and
// the clock's offset from UTC ("+02:00"), when known.
struct TakenTime
{
    QString taken;
    QString offset;
};

// EXIF's "YYYY:MM:DD HH:MM:SS" as ISO text; empty for the blanks or zeros
// that cameras write when their clock was not set.
QString IsoFromExifDateTime(const QString &exif);
// EXIF's offset ("+02:00", "-05:30") checked; empty when it is not one.
QString ClockOffset(const QString &offset);
// XMP's "2024-05-01T12:33[:10[.5]][Z|+02:00]"; nothing without a time.
std::optional<TakenTime> TakenFromXmpDate(const QString &xmp);

// "Canon" and "Canon EOS 80D" make "Canon EOS 80D"; "NIKON CORPORATION"
// and "NIKON D750" make "NIKON D750"; "Apple" and "iPhone 12" make
// "Apple iPhone 12".
QString CameraName(const QString &make, const QString &model);

// The parts of the exposure line, each empty when not known or not
// sensible (zero, negative, or past what any camera does).
QString ShutterText(double seconds);  // "1/250 s", "1/2.5 s", "1 s", "2.5 s"
QString ApertureText(double fNumber); // "f/8", "f/2.8"
QString IsoText(double speed);        // "ISO 100"
QString FocalLengthText(double mm);   // "50 mm", "4.2 mm"
// The known parts joined: "1/250 s, f/8, ISO 100, 50 mm".
QString ExposureText(const QString &shutter, const QString &aperture, const QString &iso,
                     const QString &focalLength);

// Whether a description is one of the placeholders cameras write in
// place of one ("OLYMPUS DIGITAL CAMERA", "SONY DSC"), blank, or only the
// camera's make or model.
bool IsPlaceholderDescription(const QString &text, const QString &make, const QString &model);

// The text cut to at most limit characters, at a word's end where there is
// one near, with "…" at the end; as it is when it fits.
QString ShortenedFact(const QString &text, qsizetype limit);

} // namespace vintora
