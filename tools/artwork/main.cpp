// Draws the Vintora wizard artwork and writes it as PNG files, each picture
// at its own size and at twice that size (NAME@2x.png).
//
//   vintora-artwork OUTPUT_DIR [--icons ICON_DIR] [--sheet FILE] [--scale N]
//
// --icons also writes the application icon for the desktop's icon theme:
// vintora-16.png ... vintora-256.png and the scalable vintora.svg.
// --sheet also writes every picture, enlarged N times (default 4) without
// smoothing, onto a single contact sheet for checking them up close.

#include "paintkit.h"
#include "pictures.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgGenerator>
#include <QTextStream>

#include <vector>

namespace {

struct Picture
{
    const char *fileName;
    QSize size;
    QImage (*draw)();
    bool transparent = false;
};

const std::vector<Picture> &pictures()
{
    static const std::vector<Picture> list = {
            {"sidebar.png", {185, 354}, drawSidebar},
            {"button_back.png", {89, 36}, drawButtonBack},
            {"button_fore.png", {89, 36}, drawButtonFore},
            {"button_fin.png", {89, 36}, drawButtonFin},
            {"icon_readme.png", {30, 31}, drawIconReadme},
            {"icon_mail.png", {33, 31}, drawIconMail},
            {"icon_web.png", {32, 30}, drawIconWeb},
            {"layout_table.png", {60, 61}, drawLayoutTable},
            {"layout_generic.png", {60, 61}, drawLayoutGeneric},
            {"packaging_copy.png", {60, 61}, drawPackagingCopy},
            {"packaging_nocopy.png", {60, 61}, drawPackagingNoCopy},
            {"browser_window.png", {220, 200}, drawBrowserWindow},
            {"vintora_icon.png", {32, 32}, drawAppIcon32, true},
            {"vintora_icon_128.png", {128, 128}, drawAppIcon128, true},
    };
    return list;
}

QImage contactSheet(const std::vector<std::pair<QString, QImage>> &images, int scale)
{
    const int margin = 16;
    const int label = 18;
    const int maxWidth = 1800;

    // Simple left-to-right flow layout.
    std::vector<QPoint> positions;
    int x = margin, y = margin, rowHeight = 0, width = 0;
    for (const auto &[name, image] : images) {
        const QSize s = image.size() * scale;
        if (x > margin && x + s.width() > maxWidth) {
            x = margin;
            y += rowHeight + margin;
            rowHeight = 0;
        }
        positions.emplace_back(x, y);
        x += s.width() + margin;
        width = std::max(width, x);
        rowHeight = std::max(rowHeight, s.height() + label);
    }

    QImage sheet(width, y + rowHeight + margin, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0xff9aa3ad));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    p.setFont(font);
    for (size_t i = 0; i < images.size(); ++i) {
        const auto &[name, image] = images[i];
        const QPoint at = positions[i];
        p.setPen(Qt::black);
        p.drawText(at + QPoint(0, 12), name);
        // No smooth transform on this painter: every pixel becomes a clean block.
        p.drawImage(QRect(at + QPoint(0, label), image.size() * scale), image);
    }
    return sheet;
}

// The application icon at every size a desktop's icon theme asks for. 32
// is the wizard's own hand-tuned icon; 16 is drawn for its size; the others
// scale the 128-pixel design.
bool writeIcons(const QDir &dir, QTextStream &out, QTextStream &err,
                std::vector<std::pair<QString, QImage>> &drawn)
{
    const std::pair<int, QImage> sizes[] = {
            {16, drawAppIcon16()}, {32, drawAppIcon32()},   {48, drawAppIcon(48)},
            {64, drawAppIcon(64)}, {128, drawAppIcon128()}, {256, drawAppIcon(256)},
    };
    for (const auto &[size, drawnImage] : sizes) {
        const QImage image = drawnImage.convertToFormat(QImage::Format_ARGB32);
        const QString name = QStringLiteral("vintora-%1.png").arg(size);
        if (image.size() != QSize(size, size) || !image.save(dir.filePath(name), "PNG")) {
            err << "cannot write " << dir.filePath(name) << "\n";
            return false;
        }
        out << dir.filePath(name) << "\n";
        drawn.emplace_back(name, image);
    }

    const QString svgName = dir.filePath(QStringLiteral("vintora.svg"));
    QSvgGenerator svg;
    svg.setFileName(svgName);
    svg.setSize(QSize(128, 128));
    svg.setViewBox(QRect(0, 0, 128, 128));
    svg.setTitle(QStringLiteral("Vintora"));
    svg.setDescription(QStringLiteral("The Vintora application icon"));
    QPainter p;
    if (!p.begin(&svg)) {
        err << "cannot write " << svgName << "\n";
        return false;
    }
    prepare(p);
    paintAppIcon(p, false);
    p.end();
    out << svgName << "\n";
    return true;
}

// What the command line asks for; outputDir empty when it does not read.
struct Arguments
{
    QString outputDir;
    QString sheetFile;
    QString iconDir;
    int scale = 4;
};

Arguments readArguments(QStringList args)
{
    args.removeFirst();
    Arguments read;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--icons") && i + 1 < args.size()) {
            read.iconDir = args[++i];
        } else if (args[i] == QLatin1String("--sheet") && i + 1 < args.size()) {
            read.sheetFile = args[++i];
        } else if (args[i] == QLatin1String("--scale") && i + 1 < args.size()) {
            read.scale = std::max(1, args[++i].toInt());
        } else if (read.outputDir.isEmpty()) {
            read.outputDir = args[i];
        } else {
            read.outputDir.clear();
            break;
        }
    }
    return read;
}

// Each picture at its own size and, as NAME@2x.png, at twice the size for
// screens at 200 %; the wizard picks the one that suits the screen. The
// pictures at their own size go into drawn.
bool writePictures(const QDir &dir, QTextStream &out, QTextStream &err,
                   std::vector<std::pair<QString, QImage>> &drawn)
{
    for (const int scale : {1, 2}) {
        setCanvasScale(scale);
        for (const Picture &pic : pictures()) {
            // Pictures that sit on the white window are stored without alpha.
            const QImage image = pic.draw().convertToFormat(pic.transparent ? QImage::Format_ARGB32
                                                                            : QImage::Format_RGB32);
            QString name = QString::fromLatin1(pic.fileName);
            if (scale != 1)
                name.insert(name.lastIndexOf(u'.'), QStringLiteral("@%1x").arg(scale));
            if (image.size() != pic.size * scale) {
                err << name << ": drawn at the wrong size\n";
                return false;
            }
            if (!image.save(dir.filePath(name), "PNG")) {
                err << "cannot write " << dir.filePath(name) << "\n";
                return false;
            }
            out << dir.filePath(name) << "\n";
            if (scale == 1)
                drawn.emplace_back(name, image);
        }
    }
    setCanvasScale(1);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream err(stderr);
    QTextStream out(stdout);

    const Arguments arguments = readArguments(QGuiApplication::arguments());
    if (arguments.outputDir.isEmpty()) {
        err << "usage: vintora-artwork OUTPUT_DIR [--icons ICON_DIR] [--sheet FILE] [--scale N]\n";
        return 2;
    }

    QDir dir(arguments.outputDir);
    if (!dir.mkpath(QStringLiteral("."))) {
        err << "cannot create " << arguments.outputDir << "\n";
        return 1;
    }

    std::vector<std::pair<QString, QImage>> drawn;
    if (!writePictures(dir, out, err, drawn))
        return 1;

    if (!arguments.iconDir.isEmpty()) {
        QDir icons(arguments.iconDir);
        if (!icons.mkpath(QStringLiteral(".")) || !writeIcons(icons, out, err, drawn))
            return 1;
    }

    if (!arguments.sheetFile.isEmpty()) {
        if (!contactSheet(drawn, arguments.scale).save(arguments.sheetFile, "PNG")) {
            err << "cannot write " << arguments.sheetFile << "\n";
            return 1;
        }
    }
    return 0;
}
