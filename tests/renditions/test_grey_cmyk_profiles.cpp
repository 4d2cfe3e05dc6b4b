// Grey and CMYK pictures are shown as their colour profiles say they look:
// the thumbnails and screen-size copies hold the sRGB colours of those
// profiles; CMYK pictures without one are read as ideal inks, inverted or
// not as their JPEG says; a profile that cannot be used changes nothing.

#include "support/colour_samples.h"
#include "support/fixtures.h"
#include "support/screen_copies.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;
using namespace colour_samples;
using namespace screen_copies;

namespace {

QImage copyOf(const QByteArray &picture)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("p"), picture);
    return QImage::fromData(screenCopy(dir.filePath("p"), dir.filePath("out")));
}

QByteArray greyJpeg(int level)
{
    QImage image(1600, 1200, QImage::Format_Grayscale8);
    image.fill(QColor(level, level, level));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg", 100);
    return bytes;
}

// Ink mixes that change across the picture: cyan from left to right,
// black from top to bottom, magenta and yellow in stripes.
Inks inkRamps(int x, int y)
{
    return {uchar(x * 255 / 1599), uchar((x / 100) % 2 * 120), uchar((y / 75) % 2 * 200),
            uchar(y * 255 / 1199)};
}

QByteArray profileNamed(const QByteArray &name)
{
    if (name == "square-root press")
        return SquareRootPressProfile();
    if (name == "gamma 2.2 grey")
        return Gamma22GreyProfile();
    if (name == "damaged grey")
        return DamagedProfile("GRAY");
    if (name == "damaged cmyk")
        return DamagedProfile("CMYK");
    return {};
}

QString pixelText(QRgb pixel)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

bool runConvert(const QString &convert, const QStringList &arguments)
{
    QProcess process;
    process.start(convert, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

} // namespace

class TestGreyCmykProfiles : public QObject
{
    Q_OBJECT

private slots:
    void cmyk_is_shown_in_srgb_data()
    {
        QTest::addColumn<bool>("adobe");
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<QRgb>("expected");
        // 25 % cyan and 25 % black everywhere.
        QTest::newRow("Adobe-inverted, no profile: ideal inks")
                << true << QByteArray() << qRgb(143, 191, 191);
        QTest::newRow("not inverted, no profile: ideal inks")
                << false << QByteArray() << qRgb(143, 191, 191);
        QTest::newRow("Adobe-inverted, with a CMYK profile: the press's colours")
                << true << QByteArray("square-root press") << qRgb(191, 221, 221);
        QTest::newRow("not inverted, with a CMYK profile: the press's colours")
                << false << QByteArray("square-root press") << qRgb(191, 221, 221);
        QTest::newRow("Adobe-inverted, a CMYK profile in 3 chunks, last first: the press's")
                << true << QByteArray("square-root press, 3 chunks, last first")
                << qRgb(191, 221, 221);
    }
    void cmyk_is_shown_in_srgb()
    {
        QFETCH(bool, adobe);
        QFETCH(QByteArray, profile);
        QFETCH(QRgb, expected);
        QByteArray picture = CmykJpeg(
                {1600, 1200},
                [](int, int) {
                    return Inks{64, 0, 0, 64};
                },
                adobe);
        if (profile == "square-root press, 3 chunks, last first")
            picture = WithIccProfile(picture, SquareRootPressProfile(), 15000, true);
        else if (!profile.isEmpty())
            picture = WithIccProfile(picture, profileNamed(profile));
        const QImage copy = copyOf(picture);
        QCOMPARE(copy.size(), QSize(1280, 960));
        const QRgb made = copy.pixel(640, 480);
        const bool near = std::abs(qRed(made) - qRed(expected)) <= 3
                          && std::abs(qGreen(made) - qGreen(expected)) <= 3
                          && std::abs(qBlue(made) - qBlue(expected)) <= 3;
        QVERIFY2(near, qPrintable(pixelText(made) + " against " + pixelText(expected)));
    }

    void grey_is_shown_in_srgb_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<int>("expected");
        QTest::newRow("gamma 2.2 grey, level 16: darker in sRGB")
                << 16 << QByteArray("gamma 2.2 grey") << 7;
        QTest::newRow("gamma 2.2 grey, level 32: darker in sRGB")
                << 32 << QByteArray("gamma 2.2 grey") << 26;
        QTest::newRow("no profile, level 16: as it is") << 16 << QByteArray() << 16;
    }
    void grey_is_shown_in_srgb()
    {
        QFETCH(int, level);
        QFETCH(QByteArray, profile);
        QFETCH(int, expected);
        QByteArray picture = greyJpeg(level);
        if (!profile.isEmpty())
            picture = WithIccProfile(picture, profileNamed(profile));
        const QImage copy = copyOf(picture);
        QCOMPARE(copy.size(), QSize(1280, 960));
        QCOMPARE(copy.format(), QImage::Format_Grayscale8);
        QVERIFY(!copy.colorSpace().isValid()); // the copy carries no profile
        const int made = qGray(copy.pixel(640, 480));
        QVERIFY2(std::abs(made - expected) <= 2,
                 qPrintable(QString::number(made) + " against " + QString::number(expected)));
    }

    // A profile that cannot be read leaves the picture as it is without one.
    void damaged_profile_leaves_colours_as_without_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QByteArray>("profile");
        QTest::newRow("grey JPEG, damaged grey profile")
                << greyJpeg(16) << QByteArray("damaged grey");
        QTest::newRow("Adobe-inverted CMYK JPEG, damaged CMYK profile")
                << CmykJpeg({1600, 1200}, inkRamps, true) << QByteArray("damaged cmyk");
        QTest::newRow("not inverted CMYK JPEG, damaged CMYK profile")
                << CmykJpeg({1600, 1200}, inkRamps, false) << QByteArray("damaged cmyk");
        QTest::newRow("Adobe-inverted CMYK JPEG, a grey profile")
                << CmykJpeg({1600, 1200}, inkRamps, true) << QByteArray("gamma 2.2 grey");
    }
    void damaged_profile_leaves_colours_as_without()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QByteArray, profile);
        const QImage plain = copyOf(picture);
        const QImage damaged = copyOf(WithIccProfile(picture, profileNamed(profile)));
        QCOMPARE(damaged.size(), QSize(1280, 960));
        QCOMPARE(damaged, plain);
    }

    // A photograph made CMYK by ImageMagick: its screen-size copy shows what
    // ImageMagick's own conversion of it to sRGB shows.
    void cmyk_photograph_as_imagemagick_shows_it_data()
    {
        QTest::addColumn<QByteArray>("profile");
        QTest::addColumn<QStringList>("toSrgb");
        QTest::newRow("Adobe-inverted, no profile")
                << QByteArray() << QStringList{"-colorspace", "sRGB"};
        QTest::newRow("Adobe-inverted, with a CMYK profile")
                << QByteArray("square-root press") << QStringList{"-profile", "srgb.icc"};
    }
    void cmyk_photograph_as_imagemagick_shows_it()
    {
        QFETCH(QByteArray, profile);
        QFETCH(QStringList, toSrgb);
        const QString convert = QStandardPaths::findExecutable("convert");
        const QString photograph = "/usr/share/backgrounds/mate/nature/LadyBird.jpg";
        if (convert.isEmpty() || !QFile::exists(photograph))
            QSKIP("needs ImageMagick's convert and the photographs of mate-backgrounds");
        QTemporaryDir dir;
        QVERIFY(runConvert(convert, {photograph, "-colorspace", "CMYK", dir.filePath("cmyk.jpg")}));
        QByteArray picture = readFile(dir.filePath("cmyk.jpg"));
        if (!profile.isEmpty())
            picture = WithIccProfile(picture, profileNamed(profile));
        writeFile(dir.filePath("p.jpg"), picture);
        writeFile(dir.filePath("srgb.icc"), SrgbProfile());
        QStringList arguments{dir.filePath("p.jpg")};
        for (const QString &argument : toSrgb)
            arguments << (argument == "srgb.icc" ? dir.filePath(argument) : argument);
        arguments << "-resize"
                  << "1280x800!" << dir.filePath("expected.png");
        QVERIFY(runConvert(convert, arguments));

        const QImage copy
                = QImage::fromData(screenCopy(dir.filePath("p.jpg"), dir.filePath("out")));
        QCOMPARE(copy.size(), QSize(1280, 800));
        const double difference = meanDifference(copy, QImage(dir.filePath("expected.png")));
        qInfo("mean difference per channel from ImageMagick's: %.2f", difference);
        QVERIFY2(difference <= 4.0, qPrintable(QString::number(difference)));
    }
};

QTEST_GUILESS_MAIN(TestGreyCmykProfiles)
#include "test_grey_cmyk_profiles.moc"
