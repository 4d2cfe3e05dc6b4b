#include "output/pending_file.h"

#include <QRandomGenerator>

#include <cerrno>
#include <utility>

namespace vintora {

using posix::CallResult;

namespace {

constexpr QByteArrayView kHiddenPrefix = ".vintora-";
constexpr QByteArrayView kHiddenSuffix = ".part";
// Tries at a hidden name no other file has, which the first nearly always is.
constexpr int kHiddenNameTries = 100;

// A hidden name, whatever the length of the name the file will take.
QByteArray hiddenName()
{
    QByteArray name = kHiddenPrefix.toByteArray();
    name.append(QByteArray::number(QRandomGenerator::global()->generate64(), 36));
    return name.append(kHiddenSuffix);
}

} // namespace

bool IsPendingFileName(const QByteArray &name)
{
    if (name.size() <= kHiddenPrefix.size() + kHiddenSuffix.size()
        || !name.startsWith(kHiddenPrefix) || !name.endsWith(kHiddenSuffix))
        return false;
    const QByteArrayView number = QByteArrayView(name).sliced(
            kHiddenPrefix.size(), name.size() - kHiddenPrefix.size() - kHiddenSuffix.size());
    for (const char c : number) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

namespace {

// Removes the hidden file name of folder unless its writer holds it, whose
// lock it takes first, so that no writer can take it up meanwhile.
void removeUnheld(int folder, const QByteArray &name)
{
    const CallResult opened = posix::OpenToRead(folder, name);
    if (!opened.ok())
        return;
    const int fd = int(opened.value);
    if (posix::Lock(fd).ok() && posix::IsOpenFileAt(fd, folder, name))
        posix::Remove(folder, name);
    posix::Close(fd);
}

} // namespace

void RemoveLeftovers(int folder)
{
    for (const QByteArray &name : posix::EntryNames(folder)) {
        // A link or a folder of such a name is the user's, never ours.
        if (IsPendingFileName(name) && posix::IsRegularFile(folder, name))
            removeUnheld(folder, name);
    }
}

PendingFile::~PendingFile()
{
    if (m_fd >= 0)
        posix::Close(m_fd);
    if (!m_hiddenName.isEmpty())
        posix::Remove(m_folder, m_hiddenName);
    if (m_holdFd >= 0)
        posix::Close(m_holdFd);
}

CallResult PendingFile::create(std::optional<quint32> permissions)
{
    CallResult made = posix::CreateUnnamedFile(m_folder);
    if (made.ok()) {
        m_fd = int(made.value);
        made = hold(); // no one else can see it yet
    } else if (made.error == EOPNOTSUPP) {
        made = createHidden();
    }
    if (!made.ok())
        return made;
    // A file replaced keeps its permissions, as a saved file does.
    return permissions ? posix::SetPermissions(m_fd, *permissions) : made;
}

// Locks the new file, through a second descriptor that keeps the lock
// once the file is closed; where the file system has no locks the file
// goes unheld, and as no one else can lock it either, it is kept.
CallResult PendingFile::hold()
{
    const CallResult locked = posix::Lock(m_fd);
    if (locked.error == EWOULDBLOCK)
        return locked;
    const CallResult copy = posix::Duplicate(m_fd);
    if (copy.ok())
        m_holdFd = int(copy.value);
    return copy;
}

CallResult PendingFile::createHidden()
{
    CallResult made{-1, EEXIST};
    for (int attempt = 0; attempt < kHiddenNameTries && made.error == EEXIST; ++attempt) {
        const QByteArray name = hiddenName();
        made = posix::CreateFile(m_folder, name);
        if (!made.ok())
            continue;
        m_fd = int(made.value);
        m_hiddenName = name;
        made = hold();
        if (made.ok() && posix::IsOpenFileAt(m_fd, m_folder, name))
            return made;
        if (!made.ok() && made.error != EWOULDBLOCK)
            return made;
        // A writer opening the folder that very moment took the new file
        // for a leftover, and removes it: another name then.
        m_hiddenName.clear();
        posix::Close(std::exchange(m_fd, -1));
        if (m_holdFd >= 0)
            posix::Close(std::exchange(m_holdFd, -1));
        made = {-1, EEXIST};
    }
    return made;
}

CallResult PendingFile::giveHiddenName()
{
    CallResult linked{-1, EEXIST};
    for (int attempt = 0; attempt < kHiddenNameTries && linked.error == EEXIST; ++attempt) {
        const QByteArray name = hiddenName();
        linked = posix::LinkOpenFile(m_fd, m_folder, name);
        if (linked.ok())
            m_hiddenName = name;
    }
    return linked;
}

CallResult PendingFile::commit(const QByteArray &name, bool replacing)
{
    if (m_hiddenName.isEmpty()) {
        if (!replacing)
            return linkUnnamed(name);
        // Renamed over the earlier file, which needs a name to rename from.
        if (const CallResult named = giveHiddenName(); !named.ok())
            return named;
    }
    if (const CallResult closed = posix::Close(std::exchange(m_fd, -1)); !closed.ok())
        return closed;
    return putHiddenInPlace(name, replacing);
}

// The unnamed file takes its name at once: closing it is all that is left,
// and a close that fails takes the name away again.
CallResult PendingFile::linkUnnamed(const QByteArray &name)
{
    if (const CallResult linked = posix::LinkOpenFile(m_fd, m_folder, name); !linked.ok())
        return linked;
    const CallResult closed = posix::Close(std::exchange(m_fd, -1));
    if (!closed.ok())
        posix::Remove(m_folder, name);
    return closed;
}

CallResult PendingFile::putHiddenInPlace(const QByteArray &name, bool replacing)
{
    if (replacing) {
        const CallResult renamed = posix::Rename(m_folder, m_hiddenName, name);
        if (renamed.ok())
            m_hiddenName.clear();
        return renamed;
    }
    // Linked under both names, the file loses its hidden one.
    const CallResult linked = posix::Link(m_folder, m_hiddenName, name);
    if (linked.ok())
        posix::Remove(m_folder, std::exchange(m_hiddenName, QByteArray()));
    return linked;
}

} // namespace vintora
