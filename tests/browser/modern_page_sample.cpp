// Writes a modern page with its thumbnails and screen-size copies into a
// folder, from pictures it draws there, for the browser test to open:
//   vintora-modern-sample FOLDER [generic]
// The names are the ones that try hardest to break out of their places.

#include "generate/modern_page_files.h"
#include "generate/modern_page_writer.h"
#include "generate/picture_reference.h"
#include "generate/thumbnail_size.h"
#include "wizard/start_values.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>

using namespace vintora;

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

bool save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path, path.endsWith(".png") ? "PNG" : "JPEG", 85);
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
    if (args.size() < 2) {
        std::fputs("usage: vintora-modern-sample FOLDER [generic]\n", stderr);
        return 2;
    }
    const QString folder = args.at(1);
    WizardSettings settings = StartSettings();
    settings.modernPage = kTrue;
    if (args.size() > 2 && args.at(2) == "generic")
        settings.layoutStyle = kLayoutGeneric;
    const ThumbnailBox box = ThumbnailBoxFor(settings);

    QList<ModernPageItem> items;
    for (int i = 0; i < kSamples.size(); ++i) {
        const Sample &sample = kSamples.at(i);
        const QImage picture = drawn(i, sample.size);
        if (!save(picture, folder + "/" + sample.name))
            return 1;
        ModernPageItem item;
        item.picture = PictureReference(folder + "/" + sample.name, true, sample.name, '/');
        item.caption = sample.name;
        item.pictureSize = sample.size;
        const QSize twoX = ThumbnailPixelSize(sample.size, box);
        const QSize oneX = OneXThumbnailSize(sample.size, box);
        const auto scaled = [&picture](QSize size) {
            return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        save(scaled(twoX), folder + "/thumbs/" + sample.name);
        item.thumbnail2x = {TwoXThumbnailReference(sample.name, '/'), twoX};
        save(scaled(oneX), folder + "/" + OneXThumbnailFolder('/') + "/" + sample.name);
        item.thumbnail = {OneXThumbnailReference(sample.name, '/'), oneX};
        for (const int side : ScreenCopySides(sample.size)) {
            const QSize size = ScreenCopySize(sample.size, side);
            save(scaled(size), folder + "/" + ScreenCopyFolder(side, '/') + "/" + sample.name);
            item.screenCopies.append({ScreenCopyReference(side, sample.name, '/'), size});
        }
        if (i == 0)
            item.facts = {"2024-05-01T12:33:10", "Canon EOS 80D"};
        items.append(item);
    }

    QSaveFile page(folder + "/vintora.htm");
    QString error;
    if (!page.open(QIODevice::WriteOnly)
        || !WriteModernPage(settings, {}, items, 2, 0, page, &error) || !page.commit()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
