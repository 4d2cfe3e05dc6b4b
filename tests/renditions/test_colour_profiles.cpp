// The colours of thumbnails and screen-size copies: a picture whose
// colours are held in Display P3 is shown in sRGB as it looks, and its
// files carry no profile; a profile that cannot be used changes nothing.

#include "support/fixtures.h"
#include "support/screen_copies.h"

#include <QBuffer>
#include <QColor>
#include <QColorSpace>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;
using namespace screen_copies;

namespace {

// Strong colours of every hue, from dark to bright: those Display P3 holds
// farthest from their sRGB values.
QImage colourfulPicture()
{
    QImage image(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = QColor::fromHsv(x * 359 / image.width(), 255, 80 + y * 175 / image.height())
                              .rgb();
    }
    image.setColorSpace(QColorSpace(QColorSpace::SRgb));
    return image;
}

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

// Puts an APP2 colour profile segment that no reader can use right after a
// JPEG's start.
QByteArray withBrokenProfile(const QByteArray &jpeg)
{
    const QByteArray body = QByteArray("ICC_PROFILE\0\x01\x01", 14) + QByteArray(40, '\x7f');
    QByteArray segment("\xff\xe2", 2);
    segment.append(char((body.size() + 2) >> 8)).append(char((body.size() + 2) & 0xff));
    return jpeg.left(2) + segment + body + jpeg.mid(2);
}

} // namespace

class TestColourProfiles : public QObject
{
    Q_OBJECT

private slots:
    // A Display P3 picture's screen-size copy looks like the sRGB picture
    // it was made of, scaled; shown without conversion it would be far off.
    void display_p3_is_shown_in_srgb_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QByteArray>("profileMark");
        QTest::newRow("JPEG with its profile in APP2")
                << QByteArray("jpeg") << QByteArray("ICC_PROFILE");
        QTest::newRow("PNG with its profile in iCCP") << QByteArray("png") << QByteArray("iCCP");
    }
    void display_p3_is_shown_in_srgb()
    {
        QFETCH(QByteArray, format);
        QFETCH(QByteArray, profileMark);
        const QImage original = colourfulPicture();
        const QImage p3 = original.convertedToColorSpace(QColorSpace(QColorSpace::DisplayP3));
        const QByteArray picture = encode(p3, format.constData());
        QVERIFY(picture.contains(profileMark));

        QTemporaryDir dir;
        writeFile(dir.filePath("p"), picture);
        const QByteArray copy = screenCopy(dir.filePath("p"), dir.filePath("out"));
        QVERIFY(!copy.isEmpty());
        QVERIFY(!copy.contains("ICC_PROFILE"));
        QVERIFY(!copy.contains("iCCP"));
        const QImage made = QImage::fromData(copy);
        QCOMPARE(made.size(), QSize(1280, 960));
        QVERIFY(!made.colorSpace().isValid());

        const QImage expected
                = original.scaled(1280, 960, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage unconverted = QImage::fromData(picture);
        unconverted.setColorSpace(QColorSpace());
        unconverted
                = unconverted.scaled(1280, 960, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double converted = meanDifference(made, expected);
        const double asDecoded = meanDifference(unconverted, expected);
        qInfo("mean difference per channel: %.2f converted, %.2f as decoded", converted, asDecoded);
        QVERIFY2(converted <= 2.5, qPrintable(QString::number(converted)));
        QVERIFY2(asDecoded >= 8.0, qPrintable(QString::number(asDecoded)));
    }

    // A picture already in sRGB is left as it is decoded: its files keep
    // the sRGB profile they have always had.
    void srgb_picture_is_left_as_it_is()
    {
        const QByteArray picture = encode(colourfulPicture(), "jpeg");
        QVERIFY(picture.contains("ICC_PROFILE"));
        QTemporaryDir dir;
        writeFile(dir.filePath("p"), picture);
        const QByteArray copy = screenCopy(dir.filePath("p"), dir.filePath("out"));
        QVERIFY(copy.contains("ICC_PROFILE"));
        const QImage made = QImage::fromData(copy);
        QCOMPARE(made.size(), QSize(1280, 960));
        QCOMPARE(made.colorSpace(), QColorSpace(QColorSpace::SRgb));
    }

    // A profile that cannot be read leaves the picture as it was decoded.
    void broken_profile_leaves_colours_as_decoded()
    {
        QImage plain = colourfulPicture();
        plain.setColorSpace(QColorSpace());
        const QByteArray jpeg = encode(plain, "jpeg");
        QTemporaryDir dir;
        writeFile(dir.filePath("plain"), jpeg);
        writeFile(dir.filePath("broken"), withBrokenProfile(jpeg));
        const QImage fromPlain
                = QImage::fromData(screenCopy(dir.filePath("plain"), dir.filePath("a")));
        const QImage fromBroken
                = QImage::fromData(screenCopy(dir.filePath("broken"), dir.filePath("b")));
        QCOMPARE(fromBroken.size(), QSize(1280, 960));
        QCOMPARE(fromBroken, fromPlain);
    }
};

QTEST_GUILESS_MAIN(TestColourProfiles)
#include "test_colour_profiles.moc"
