#pragma once

// The POSIX calls the writer makes, as thin wrappers. A call that a signal
// interrupts (EINTR) is made again, close alone excepted (see Close); each
// gives back what the call gave together with its errno, taken at once, so
// that no later call can change the reason on its way to the message.
//
// Every name is a name in a folder that is held open (a descriptor), so
// that a folder swapped for a link meanwhile cannot send a call elsewhere.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace vintora::posix {

// What a call gave: a descriptor or a count, and 0 or the errno it failed
// with.
struct CallResult
{
    qint64 value = 0;
    int error = 0;

    bool ok() const { return error == 0; }
};

// The entry name of folder opened as a folder, for reading; a link there is
// refused unless followLinks.
CallResult OpenFolder(int folder, const QByteArray &name, bool followLinks);

// A new file name in folder, opened for writing; EEXIST when something
// has that name.
CallResult CreateFile(int folder, const QByteArray &name);
// A new unnamed file in folder, opened for writing (O_TMPFILE). EOPNOTSUPP
// where the system, the file system or the build offers none.
CallResult CreateUnnamedFile(int folder);
// Gives the open unnamed file fd the name in folder; EEXIST when
// something has that name.
CallResult LinkOpenFile(int fd, int folder, const QByteArray &name);

CallResult SetPermissions(int fd, quint32 permissions);
CallResult WriteAll(int fd, QByteArrayView bytes);
// Reads until size bytes came or the file ended; the value is the count.
CallResult ReadFull(int fd, char *into, qint64 size);
// Everything from the current place of in to out: within the system where
// it can (which on some file systems shares the blocks), else through a
// buffer.
CallResult CopyAll(int in, int out);
CallResult SeekToStart(int fd);
// Closes fd. Linux frees the descriptor even when close fails, so a failed
// close is reported and never made again.
CallResult Close(int fd);

// Gives the file from in folder the name to as well; EEXIST when something
// has that name.
CallResult Link(int folder, const QByteArray &from, const QByteArray &to);
// Gives the file from the name to, in place of what had it.
CallResult Rename(int folder, const QByteArray &from, const QByteArray &to);
CallResult Remove(int folder, const QByteArray &name);
CallResult MakeFolder(int folder, const QByteArray &name);
// Whether the user may write what is at name; ENOENT when nothing is.
CallResult MayWrite(int folder, const QByteArray &name);

// The entry name of folder opened for reading, never through a link and
// never waiting for a pipe's writer.
CallResult OpenToRead(int folder, const QByteArray &name);
// Whether name in folder is the open file fd.
bool IsOpenFileAt(int fd, int folder, const QByteArray &name);
// Locks the open file fd (flock), without waiting: EWOULDBLOCK when another
// opening of the file holds the lock. It lasts until every descriptor of
// this opening (see Duplicate) is closed.
CallResult Lock(int fd);
// A second descriptor of the opening fd, which shares its place and lock.
CallResult Duplicate(int fd);

// The names in folder, "." and ".." among them; none when it cannot be read.
QList<QByteArray> EntryNames(int folder);
// Whether name in folder is a regular file itself (a link is not).
bool IsRegularFile(int folder, const QByteArray &name);

} // namespace vintora::posix
