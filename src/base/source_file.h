#pragma once

#include <QFile>
#include <QString>

#include <memory>

namespace vintora {

// What lies at a path, links followed, found without opening it.
struct FileStatus
{
    // Link only from StatLink, for a symbolic link itself.
    enum class Kind { Missing, Regular, Folder, Link, Other };

    Kind kind = Kind::Missing;
    qint64 size = 0;
    qint64 modifiedMs = 0; // last change of the contents, ms since 1970
    quint64 device = 0;
    quint64 inode = 0;
    quint32 permissions = 0; // the mode's permission bits (07777)
    int error = 0;           // why it could not be looked at (errno), 0 when it could
    QString what;            // for Other: "a named pipe", "a device", "a socket"

    bool exists() const { return kind != Kind::Missing; }
    bool isRegular() const { return kind == Kind::Regular; }
    // Both describe the same existing file.
    bool sameFileAs(const FileStatus &other) const;
};

// Looks at the path (its exact bytes, see DecodeFileName), following links.
FileStatus StatFile(const QString &path);
// The same for the path itself when it is a link.
FileStatus StatLink(const QString &path);

// Looks at the entry name of the open folder (a descriptor), following a
// link there or not. Unix only; elsewhere it finds nothing.
FileStatus StatAt(int folder, const QString &name, bool followLinks);

// Why a path cannot be read as a picture file, in plain words that the
// caller puts after the file's name ("it is a named pipe, not a file"), or
// an empty text when it is a regular file.
QString NotAPictureFileReason(const FileStatus &status);

// A picture file opened for reading. Only regular files are accepted: the
// path is opened without blocking (a named pipe with no writer would wait
// for ever) and checked before a byte is read, so a pipe, a device or a
// folder never hangs a run or fills a disk.
class SourceFile
{
public:
    explicit SourceFile(const QString &path);
    // The file name in the open folder (a descriptor), never through a link.
    SourceFile(int folder, const QString &name);
    ~SourceFile();
    SourceFile(const SourceFile &) = delete;
    SourceFile &operator=(const SourceFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // The reason it could not be opened ("the file does not exist"), empty
    // when it is open.
    const QString &problem() const { return m_problem; }
    int handle() const { return m_fd; }
    const FileStatus &status() const { return m_status; }

    // The open file as a device for Qt's readers; it does not own the handle.
    QFile &device();

private:
    void openChecked(int folder, const QByteArray &name, int extraFlags);

    int m_fd = -1;
    FileStatus m_status;
    QString m_problem;
    std::unique_ptr<QFile> m_device;
};

} // namespace vintora
