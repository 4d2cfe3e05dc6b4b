// Writes the zip of the files of a folder with the program's own writer, as
// the modern page does, and prints the seconds it took:
//   bench-album-zip FOLDER ZIP_NAME
// The files are taken by name, as the page orders them by name.

#include "output/album_zip.h"
#include "output/output_writer.h"

#include <QDir>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench-album-zip FOLDER ZIP_NAME\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString zipName = QString::fromLocal8Bit(argv[2]);
    vintora::OutputWriter writer;
    QString why;
    if (!writer.open(folder, &why)) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return 1;
    }
    QList<vintora::ZipEntry> entries;
    for (const QString &name : QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name))
        entries.append({name, &writer.folder(), name});
    QElapsedTimer timer;
    timer.start();
    const vintora::AlbumZipOutcome zip
            = vintora::WriteAlbumZip(writer, writer.folder(), zipName, entries);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (zip.result != vintora::AlbumZipOutcome::Result::Written) {
        std::fprintf(stderr, "not written: %s\n", qPrintable(zip.error));
        return 1;
    }
    std::printf("%.3f\n", seconds);
    return 0;
}
