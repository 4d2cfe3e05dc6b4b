#pragma once

#include "base/source_file.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vintora {

// A folder a run writes into, held open from the start: every file goes in
// relative to it, so a link or another folder put in its place meanwhile
// cannot send a write elsewhere.
class OutputFolder
{
public:
    ~OutputFolder();
    OutputFolder(const OutputFolder &) = delete;
    OutputFolder &operator=(const OutputFolder &) = delete;

    // The folder as named when it was opened, for messages.
    const QString &path() const { return m_path; }
    // The path of a file in it, for messages.
    QString pathOf(const QString &name) const;
    int handle() const { return m_fd; }

    // What lies at name: the entry itself (a link as a link), or what a
    // link there leads to.
    FileStatus look(const QString &name) const;
    FileStatus lookThrough(const QString &name) const;

private:
    friend class OutputWriter;
    OutputFolder(int fd, QString path);

    int m_fd = -1;
    QString m_path;
};

// The one way a run writes files. It keeps one promise for every file: it
// writes only the files it is asked to, only inside the output folder and
// the sub-folders it opened there, never over a file the user did not ask
// it to replace, and it says so when a write fails.
//
// - What may be replaced is told in replace_rules.h: a regular file the
//   user may write that is none of the protected files (the pictures the
//   run reads), or a link, replaced itself and never written through.
// - The bytes go to a file in the making (pending_file.h), put in place
//   only once all of them were written and the file closed, so a failed or
//   killed run leaves the earlier file as it was and no half file under
//   its name; files with a short hidden name (".vintora-….part") that a
//   killed run may leave are removed by the next run into the folder.
// - Every write, close and rename is checked; the reason of a failure goes
//   into plain words that follow the file's path ("the file cannot be
//   written (No space left on device)"), made as write_failures.h tells.
//
// The writer is POSIX throughout: it holds folders open and names files
// relative to them (openat, mkdirat, linkat, renameat), which no link put in
// a folder's place can divert. A port to another system needs the same: a
// folder handle to create, open and rename files in, a rename that
// replaces a file at once, and a device and inode (or the like) to tell
// whether two names are the same file.
//
// The writing calls may be made from several threads at once for
// different files.
class OutputWriter
{
public:
    OutputWriter();
    ~OutputWriter();
    OutputWriter(const OutputWriter &) = delete;
    OutputWriter &operator=(const OutputWriter &) = delete;

    // Opens the output folder, which must exist; links in the path given are
    // followed (it is the user's own choice). Removes what an earlier run
    // that was killed left there. False with the reason in error, a whole
    // sentence.
    bool open(const QString &folder, QString *error);
    const OutputFolder &folder() const { return *m_folder; }

    // The sub-folder name of parent, made when it is missing and create is
    // true (else null, with no error); a link or anything else that is not
    // a real folder there is refused, with a whole sentence in error. It
    // stays open as long as the writer; asked again, the same one is given.
    const OutputFolder *subfolder(const OutputFolder &parent, const QString &name, bool create,
                                  QString *error);
    // Whether a sub-folder could be opened or made there, without making it;
    // the same sentence as subfolder() gives when not.
    QString subfolderProblem(const OutputFolder &parent, const QString &name) const;

    // Tells the files that must never be replaced, such as the pictures
    // the run reads. Called from any thread.
    void setProtected(std::function<bool(const FileStatus &)> isProtected);
    bool isProtected(const FileStatus &file) const;

    // Why name in folder may not be written, in words that follow its path
    // ("a folder of that name is in the way"), or empty when it may.
    QString problemWith(const OutputFolder &folder, const QString &name) const;

    // Writes bytes as the file name of folder. The reason of a failure, in
    // words that follow the path, goes to error.
    bool writeFile(const OutputFolder &folder, const QString &name, QByteArrayView bytes,
                   QString *error) const;

    enum class CopyOutcome {
        Copied,  // written now
        InPlace, // the file there is the source, or holds exactly its bytes
        Failed,
    };
    // Copies the open source to name in folder, unless the file there
    // already holds exactly its bytes (size first, then the bytes), which
    // is then left untouched. The size copied goes to copiedBytes.
    CopyOutcome copyFile(SourceFile &source, const OutputFolder &folder, const QString &name,
                         QString *error, qint64 *copiedBytes = nullptr) const;

    // Writes bytes as the file name of folder unless the file there already
    // holds exactly them, which is then left untouched (InPlace).
    CopyOutcome writeUnlessHeld(const OutputFolder &folder, const QString &name,
                                QByteArrayView bytes, QString *error) const;

    // Writes the file name of folder in pieces: fill is given the open
    // descriptor of the file in the making, which it may write and seek
    // (not read), and gives 0 or the errno it failed with. The file is put in
    // place whole when fill gave 0, else dropped, leaving what was there.
    bool writeStreamed(const OutputFolder &folder, const QString &name,
                       const std::function<int(int)> &fill, QString *error) const;

    // True when name in folder is a regular file holding exactly the bytes
    // of source. Reads source from its start.
    static bool holdsSameBytes(const OutputFolder &folder, const QString &name, SourceFile &source);

private:
    // Writes the file name of folder with what fill puts into the open
    // descriptor it is given; fill gives 0 or the errno it failed with.
    bool writeWith(const OutputFolder &folder, const QString &name,
                   const std::function<int(int)> &fill, QString *error) const;

    std::unique_ptr<OutputFolder> m_folder;
    std::map<std::pair<const OutputFolder *, QString>, std::unique_ptr<OutputFolder>> m_subfolders;
    std::function<bool(const FileStatus &)> m_protected;
};

} // namespace vintora
