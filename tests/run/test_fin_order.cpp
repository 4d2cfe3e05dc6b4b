#include "run/fin_run.h"
#include "support/fixtures.h"
#include "support/metadata_bytes.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;
using namespace metadata_bytes;

namespace {

// A photograph whose EXIF says when it was taken, with the offset of the
// camera's clock from UTC when one is given.
QByteArray takenAt(const char *taken, const char *offset)
{
    Tags exif{{0x9003, taken}};
    if (*offset)
        exif.append({0x9011, offset});
    return jpegWith({exifSegment(tiff({}, exif))}, smallJpeg({80, 60}));
}

// The names of the pictures as the page lists them, in its order.
QString shownOrder(const QByteArray &page)
{
    static const QRegularExpression link(R"re((?:data-name="|<A HREF = ")([^"]+)")re");
    QStringList names;
    for (const QRegularExpressionMatch &m : link.globalMatch(QString::fromUtf8(page)))
        names << m.captured(1);
    return names.join(' ');
}

} // namespace

// The order in which the modern page shows the pictures: by date taken,
// by name or as listed; the classic page keeps the list's order.
class TestFinOrder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_pictures; // in the list's order

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writePicture(const QString &name, const QByteArray &bytes, const char *fileTime = nullptr)
    {
        writeFile(path("p/" + name), bytes);
        if (fileTime) {
            QFile file(path("p/" + name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::fromString(fileTime, Qt::ISODate),
                                     QFileDevice::FileModificationTime));
        }
        m_pictures << path("p/" + name);
    }

private slots:
    void initTestCase()
    {
        // b was taken first: 12:00 at +02:00 is 10:00 UTC, before a's 11:00.
        // a and d were taken at the same moment. C and e say nothing of
        // when they were taken; their files' times stand for it. f gives no
        // offset, so is read as local time, years from the others.
        writePicture("d.jpg", takenAt("2024:05:01 11:00:00", "+00:00"));
        writePicture("e.jpg", smallJpeg({80, 60}), "2030-01-01T00:00:00Z");
        writePicture("a.jpg", takenAt("2024:05:01 11:00:00", "+00:00"));
        writePicture("f.jpg", takenAt("2010:06:01 08:00:00", ""));
        writePicture("C.jpg", smallJpeg({80, 60}), "2001-01-01T00:00:00Z");
        writePicture("b.jpg", takenAt("2024:05:01 12:00:00", "+02:00"));
    }

    void pictures_shown_in_the_order_chosen_data()
    {
        QTest::addColumn<bool>("modern");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("shown");
        QTest::newRow("modern, date") << true << "date"
                                      << "C.jpg f.jpg b.jpg a.jpg d.jpg e.jpg";
        QTest::newRow("modern, name") << true << "name"
                                      << "a.jpg b.jpg C.jpg d.jpg e.jpg f.jpg";
        QTest::newRow("modern, list") << true << "list"
                                      << "d.jpg e.jpg a.jpg f.jpg C.jpg b.jpg";
        QTest::newRow("classic, date") << false << "date"
                                       << "d.jpg e.jpg a.jpg f.jpg C.jpg b.jpg";
        QTest::newRow("classic, name") << false << "name"
                                       << "d.jpg e.jpg a.jpg f.jpg C.jpg b.jpg";
    }
    void pictures_shown_in_the_order_chosen()
    {
        QFETCH(bool, modern);
        QFETCH(QString, order);
        QFETCH(QString, shown);
        const QString out = path(QString("out-") + QTest::currentDataTag());
        QDir().mkpath(out);
        WizardSettings settings = tableSettings();
        settings.thumbWidth = settings.thumbHeight = 100;
        settings.modernPage = modern ? kTrue : kFalse;
        settings.pictureOrder = order;
        const FinOutcome outcome = RunFin(
                {settings, m_pictures, "page.html", out}, [](const FinProgress &) {}, StopRequest(),
                FinOptions());
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(shownOrder(readFile(out + "/page.html")), shown);
    }
};

QTEST_GUILESS_MAIN(TestFinOrder)
#include "test_fin_order.moc"
