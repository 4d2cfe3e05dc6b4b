#pragma once

#include <QDir>
#include <QFile>
#include <QImage>

#include <sys/stat.h>

// Picture files written for the tests.
namespace picture_files {

// Pixels that tell their position apart within 256 pixels, so that a copy
// placed elsewhere shows where it came from.
inline QImage pattern(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 255 - (x + y) % 256));
    return image;
}

inline QImage filled(const QSize &size, const QColor &color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Saved in the format the extension names; returns the native path.
inline QString write(const QDir &dir, const QString &name, const QImage &image)
{
    return image.save(dir.filePath(name)) ? QDir::toNativeSeparators(dir.filePath(name))
                                          : QString();
}

inline QString writeBytes(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? QDir::toNativeSeparators(file.fileName())
                   : QString();
}

// A named pipe with no writer: reading it would wait for ever.
inline QString pipe(const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? QDir::toNativeSeparators(path)
                                                                    : QString();
}

// A 1 x 1 GIF (Qt reads GIF but does not write it).
inline QByteArray gif1x1()
{
    return QByteArray::fromHex("474946383961"
                               "01000100"
                               "800000"
                               "ff0000"
                               "000000"
                               "2c"
                               "00000000"
                               "01000100"
                               "00"
                               "0202"
                               "4401"
                               "00"
                               "3b");
}

// The start of a WebP file: a real format for which no reader is installed.
inline QByteArray webpHeader()
{
    return QByteArray::fromHex("5249464624000000574542505650382018000000") + QByteArray(24, '\0');
}

} // namespace picture_files
