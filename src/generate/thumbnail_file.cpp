#include "generate/thumbnail_file.h"

#include "pictures/file_name_bytes.h"

#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#else
#include <QSaveFile>
#endif

namespace vintora {

namespace {

bool failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

#ifdef Q_OS_UNIX

bool WriteFileReplacing(const QString &path, QByteArrayView bytes, QString *error)
{
    const QByteArray target = EncodeFileName(path);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".part-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failed(error, QStringLiteral("cannot be created (%1)").arg(qt_error_string(errno)));
    const auto giveUp = [&](int code) {
        ::close(fd);
        ::unlink(temp.constData());
        return failed(error, QStringLiteral("cannot be written (%1)").arg(qt_error_string(code)));
    };
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return giveUp(put < 0 ? errno : ENOSPC);
        done += put;
    }
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.constData());
        return failed(error, QStringLiteral("cannot be written (%1)").arg(qt_error_string(code)));
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temp.constData());
        return failed(error, QStringLiteral("cannot be written (%1)").arg(qt_error_string(code)));
    }
    return true;
}

#else

bool WriteFileReplacing(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error, QStringLiteral("cannot be created (%1)").arg(file.errorString()));
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit())
        return failed(error, QStringLiteral("cannot be written (%1)").arg(file.errorString()));
    return true;
}

#endif

} // namespace vintora
