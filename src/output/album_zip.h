#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace vintora {

class OutputFolder;
class OutputWriter;

// A file that goes into an album's zip: its name there, and where it is
// read from.
struct ZipEntry
{
    QString name;                         // the entry's name: the published file's name
    const OutputFolder *folder = nullptr; // the folder it lies in, when in the output
    QString file;                         // its name in folder, or its path when folder is null
};

struct AlbumZipOutcome
{
    enum class Result {
        Written, // made now
        Kept,    // the zip there already held exactly these entries
        Stopped, // a stop was asked between two entries: nothing was put in place
        Failed,
    };
    Result result = Result::Failed;
    qint64 bytes = 0; // the zip's size
    int entries = 0;
    QString error; // when Failed, words that follow the zip's path

    bool hasZip() const { return result == Result::Written || result == Result::Kept; }
};

// Writes the zip zipName of folder through writer, whole or not at all:
// one entry per distinct entry name, in the order given, each holding the
// bytes of its file as they are, stored (pictures already compressed do not
// shrink), named in UTF-8, dated from the file's last change (the zip's
// local date and, to the second, its Unix time), in the zip64 form where a
// size or place passes 4 GiB or the entries 65535. The files are read in
// pieces, never whole.
//
// A zip already there that lists exactly the entries it would get (names,
// sizes and times of last change, in order, stored) is kept: a file is
// taken to be unchanged while its size and time are, so a rerun rereads no
// picture. stopRequested is asked before each entry.
AlbumZipOutcome WriteAlbumZip(const OutputWriter &writer, const OutputFolder &folder,
                              const QString &zipName, const QList<ZipEntry> &entries,
                              const std::function<bool()> &stopRequested = {});

// The zip's name for an album whose folder has the name given: that name
// with ".zip", the characters no file name may hold on the usual systems
// (controls and / \ : * ? " < > |) as "_", without dots or blanks at its
// ends; "photos.zip" when nothing is left.
QString AlbumZipName(const QString &folderName);

} // namespace vintora
