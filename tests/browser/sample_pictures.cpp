// Draws the pictures the browser test makes its modern page of, into a
// folder:  vintora-sample-pictures FOLDER
// Each shows its number and size; their names are the ones that try
// hardest to break out of their places, and the first carries EXIF facts.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

struct Sample
{
    QString name;
    QSize size;
};

const QList<Sample> kSamples{
        {"alpha.jpg", {3000, 2000}},
        {R"("onerror=alert(1).jpg)", {1600, 1200}},
        {"<img src=x onerror=alert(2)>.jpg", {1200, 1800}},
        {"<!--.jpg", {800, 600}},
        {"${alert(3)}.jpg", {2400, 3200}},
        {QString::fromUtf8("line\u2028break.jpg"), {1000, 1000}},
        {"Tom & Jerry's.jpg", {2600, 1300}},
        {QString::fromUtf8("日本 の写真.jpg"), {1500, 1000}},
        {"hash#1 50%.png", {640, 480}},
        {"comma, too.jpg", {2100, 1400}},
        {"wide.jpg", {3000, 1000}},
        {"last.jpg", {1300, 1950}},
};

QByteArray big16(quint16 v)
{
    return QByteArray(1, char(v >> 8)) + char(v & 0xFF);
}

QByteArray big32(quint32 v)
{
    return big16(quint16(v >> 16)) + big16(quint16(v & 0xFFFF));
}

// An EXIF segment whose main IFD holds these ASCII tags.
QByteArray exifSegment(const QList<QPair<quint16, QByteArray>> &tags)
{
    QByteArray entries = big16(quint16(tags.size())), data;
    const quint32 dataAt = 8 + 2 + 12 * quint32(tags.size()) + 4;
    for (const auto &[tag, text] : tags) {
        const QByteArray value = text + '\0';
        entries += big16(tag) + big16(2) + big32(quint32(value.size()))
                   + big32(dataAt + quint32(data.size()));
        data += value;
    }
    const QByteArray app1
            = QByteArray("Exif\0\0MM\0\x2A", 10) + big32(8) + entries + big32(0) + data;
    return QByteArray("\xFF\xE1") + big16(quint16(app1.size() + 2)) + app1;
}

bool save(const QImage &image, const QString &path, const QByteArray &exif = {})
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, path.endsWith(".png") ? "PNG" : "JPEG", 85))
        return false;
    if (!exif.isEmpty())
        bytes = bytes.left(2) + exif + bytes.mid(2);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A picture that shows its number and size, so a screenshot tells which
// file is on screen.
QImage drawn(int index, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((index * 47) % 360, 140, 200));
    QPainter painter(&image);
    QFont font;
    font.setPixelSize(size.height() / 6);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignCenter,
                     QString("%1\n%2 x %3").arg(index + 1).arg(size.width()).arg(size.height()));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fputs("usage: vintora-sample-pictures FOLDER\n", stderr);
        return 2;
    }
    const QString folder = args.at(1);
    QDir().mkpath(folder);
    const QByteArray facts = exifSegment(
            {{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}, {0x0132, "2024:05:01 12:33:10"}});
    for (int i = 0; i < kSamples.size(); ++i) {
        const Sample &sample = kSamples.at(i);
        if (!save(drawn(i, sample.size), folder + "/" + sample.name, i == 0 ? facts : QByteArray()))
            return 1;
    }
    return 0;
}
