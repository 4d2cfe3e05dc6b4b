#pragma once

// The screen-size copy the renditions make of a picture, and how far two
// pictures are apart: what the colour tests compare.

#include "output/output_writer.h"
#include "renditions/rendition_folders.h"
#include "renditions/rendition_job.h"
#include "support/fixtures.h"

#include <QImage>

#include <cstdlib>

namespace screen_copies {

// Makes the picture's thumbnail for a box of 200 x 200 and its screen-size
// copy of 1280 pixels on the longer side into output; the copy's bytes.
inline QByteArray screenCopy(const QString &picture, const QString &output)
{
    using namespace vintora;
    const ThumbnailBox thumbnail{ThumbnailBox::Sizing::Pixels, 200, 200, 0, 1};
    const ThumbnailBox screen{ThumbnailBox::Sizing::LongerSide, 1280, 0, 0, 2};
    RenditionJob job;
    job.source = picture;
    job.stem = "p";
    job.namedByType = false;
    job.files = {{thumbnail, {"thumbs"}, RenditionFile::Need::Always},
                 {screen, {"screen"}, RenditionFile::Need::WhenSmallerThanPicture}};
    if (!QDir().mkpath(output))
        return {};
    OutputWriter writer;
    if (!writer.open(output, nullptr))
        return {};
    RenditionFolders folders(writer);
    MakeRenditions(job, folders);
    return readFile(output + "/screen/p");
}

// The mean difference per channel, of 255, between two pictures of one size.
inline double meanDifference(const QImage &a, const QImage &b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y), q = right.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * left.width() * left.height());
}

} // namespace screen_copies
