#pragma once

#include "output/system_calls.h"

#include <QByteArray>

#include <optional>

namespace vintora {

// A file in the making in a folder, put in place only once all its bytes
// are written and it is closed, so that a failed run leaves the earlier
// file as it was.
//
// Where the system offers unnamed files (O_TMPFILE on Linux) the bytes go
// to one, which is linked straight into place when nothing was there, so
// that a run killed at any moment leaves no half file under any name.
// Elsewhere, and to replace an earlier file, the file takes a hidden name
// of its own in the folder (".vintora-" a random number ".part"), which is
// renamed over the earlier file, or linked to its name and then removed
// when nothing was there. A run killed meanwhile leaves that hidden name
// behind; RemoveLeftovers takes such names away.
//
// A file in the making is locked from its making until it is in place, and
// RemoveLeftovers takes only the hidden files that no one holds: those of
// a run that was killed, never those another writer, in this program or
// another, is making in the same folder at the same time.
class PendingFile
{
public:
    explicit PendingFile(int folder) : m_folder(folder) {}
    // Removes the file unless it was put in place.
    ~PendingFile();
    PendingFile(const PendingFile &) = delete;
    PendingFile &operator=(const PendingFile &) = delete;

    // Makes the file, with the permissions given or else those of a new
    // file.
    posix::CallResult create(std::optional<quint32> permissions);
    int handle() const { return m_fd; }

    // Closes the file and puts it in place as name: straight there when
    // nothing was there (and nothing is now: a file that appeared
    // meanwhile is not replaced), else renamed over the earlier file. When
    // it fails the earlier file is as it was.
    posix::CallResult commit(const QByteArray &name, bool replacing);

private:
    posix::CallResult hold();
    posix::CallResult createHidden();
    posix::CallResult giveHiddenName();
    posix::CallResult linkUnnamed(const QByteArray &name);
    posix::CallResult putHiddenInPlace(const QByteArray &name, bool replacing);

    int m_folder;
    int m_fd = -1;
    int m_holdFd = -1;       // holds the lock once the file is closed
    QByteArray m_hiddenName; // empty while the file is unnamed
};

// Whether name is one of the hidden names a file in the making takes.
bool IsPendingFileName(const QByteArray &name);

// Removes the regular files of folder that have such names and that no
// writer holds: what a run that was killed left there.
void RemoveLeftovers(int folder);

} // namespace vintora
