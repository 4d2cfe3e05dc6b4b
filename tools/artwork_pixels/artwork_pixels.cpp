// Turns one artwork picture into the raw pixels the wizard is built with:
//   vintora-artwork-pixels IN.png OUT.pixels
//
// The pixels are those a QPixmap holds once it has loaded the picture:
// 32 bits each, premultiplied when the picture has transparency. See
// src/wizard/artwork_layout.h for the layout.

#include "wizard/artwork_layout.h"

#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstring>

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: vintora-artwork-pixels IN.png OUT.pixels\n";
        return 2;
    }
    QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        err << "cannot read " << argv[1] << '\n';
        return 1;
    }
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);

    vintora::ArtworkHeader header;
    std::memcpy(header.magic, vintora::kArtworkMagic, sizeof header.magic);
    header.width = quint32(image.width());
    header.height = quint32(image.height());
    header.format = quint32(image.format());

    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly)) {
        err << "cannot write " << argv[2] << '\n';
        return 1;
    }
    out.write(reinterpret_cast<const char *>(&header), sizeof header);
    const qsizetype row = qsizetype(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char *>(image.constScanLine(y)), row);
    out.close();
    return out.error() == QFileDevice::NoError ? 0 : 1;
}
