#include "run/fin_run.h"
#include "support/fixtures.h"
#include "support/metadata_bytes.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;
using metadata_bytes::scanStart;

namespace {

// Wallpapers of Debian's mate-backgrounds, made into phone photographs.
const QString kWallpapers = QStringLiteral("/usr/share/backgrounds/mate/nature/");
const QStringList kNames{"Aqua", "FreshFlower", "Garden", "GreenMeadow", "LadyBird"};

QString exiftool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("exiftool"), arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The segment with marker, found by walking the segments, and its place.
QByteArray takeSegment(QByteArray &jpeg, quint8 marker)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg.at(at)) == 0xFF) {
        const qsizetype length = 2 + (quint8(jpeg.at(at + 2)) << 8 | quint8(jpeg.at(at + 3)));
        if (quint8(jpeg.at(at + 1)) == marker) {
            const QByteArray found = jpeg.mid(at, length);
            jpeg.remove(at, length);
            return found;
        }
        at += length;
    }
    return QByteArray();
}

} // namespace

// Photographs as phones and editors write them, published on the modern
// page: their facts read wherever their EXIF stands, and no published file
// tells where they were taken (exiftool reads every file).
class TestPublishedPhotographs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        const bool ready = QFile::exists(kWallpapers + "Aqua.jpg")
                           && !QStandardPaths::findExecutable("exiftool").isEmpty();
        if (!ready && qEnvironmentVariableIsSet("CI"))
            QFAIL("mate-backgrounds and libimage-exiftool-perl are needed");
        if (!ready)
            QSKIP("needs mate-backgrounds and exiftool (libimage-exiftool-perl); run.sh test "
                  "installs them");
    }

    void facts_read_and_no_position_published()
    {
        const QString folder = m_dir.filePath("photographs");
        const QString out = m_dir.filePath("out");
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(out));
        QStringList entries;
        for (qsizetype i = 0; i < kNames.size(); ++i) {
            const QString path = folder + "/" + kNames.at(i) + ".jpg";
            QVERIFY(QFile::copy(kWallpapers + kNames.at(i) + ".jpg", path));
            const QString day = QString::number(i + 1);
            exiftool({"-q", "-overwrite_original", "-Make=Apple", "-Model=iPhone 12",
                      "-DateTimeOriginal=2024:05:0" + day + " 12:33:10",
                      "-OffsetTimeOriginal=+02:00", "-GPSLatitude=48.8584", "-GPSLatitudeRef=N",
                      "-GPSLongitude=2.2945", "-GPSLongitudeRef=E", "-XMP:GPSLatitude=48.8584 N",
                      "-XMP:City=Paris", "-IPTC:City=Paris", "-Comment=Edited", path});
            entries << path;
        }
        // exiftool writes EXIF first: the comment is put before it by hand,
        // and in another 600 KB of other segments.
        QByteArray commentFirst = readFile(entries.at(0));
        const QByteArray comment = takeSegment(commentFirst, 0xFE);
        QCOMPARE(comment.mid(4), QByteArray("Edited"));
        writeFile(entries.at(0), commentFirst.insert(2, comment));
        QByteArray farBehind = readFile(entries.at(1));
        const QByteArray other = QByteArray("\xFF\xE2\xEA\x62", 4) + QByteArray(60000, 'x');
        writeFile(entries.at(1), farBehind.insert(2, other.repeated(11)));
        QCOMPARE(exiftool({"-r", "-q", "-q", "-p", "$GPSLatitude", folder}).count("48 deg"), 5);

        WizardSettings settings = tableSettings();
        settings.modernPage = kTrue;
        settings.thumbWidth = settings.thumbHeight = 100;
        const FinOutcome outcome = RunFin({settings, entries, "index.html", out});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.locationsRemoved, 5);

        const QString page = QString::fromUtf8(readFile(out + "/index.html"));
        for (const char *day : {"01", "02", "03", "04", "05"})
            QVERIFY2(page.contains(QString(R"( data-taken="2024-05-%1T12:33:10")"
                                           R"( data-camera="Apple iPhone 12")")
                                           .arg(day)),
                     day);

        // Every file of the published folder, read by exiftool.
        const QString found = exiftool(
                {"-r", "-a", "-G1", "-s", "-GPS*", "-XMP:GPS*", "-IPTC:City", "-XMP:City", out});
        QVERIFY2(!found.contains(QRegularExpression("^\\[", QRegularExpression::MultilineOption)),
                 qPrintable(found));
        QVERIFY(found.contains("image files read"));
        for (const QString &path : entries) {
            const QByteArray original = readFile(path);
            const QByteArray copy = readFile(out + "/" + QFileInfo(path).fileName());
            QVERIFY(scanStart(copy) > 0);
            QCOMPARE(copy.mid(scanStart(copy)), original.mid(scanStart(original)));
        }
    }
};

QTEST_GUILESS_MAIN(TestPublishedPhotographs)
#include "test_published_photographs.moc"
