#include "output/album_zip.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "output/output_writer.h"
#include "output/system_calls.h"
#include "output/zip_descriptor_io.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <unistd.h>

#include <QSet>

#include <cerrno>
#include <ctime>
#include <vector>

namespace vintora {

namespace {

// How much of a file is read at a time.
constexpr qsizetype kReadPiece = 1 << 20;
// General purpose flag bit 11: the entry's name is UTF-8.
constexpr uLong kUtf8Names = 1U << 11;
// Made on Unix (3), by version 3.0 of the format, so that readers take the
// permissions from the external attributes.
constexpr uLong kMadeOnUnix = (3U << 8) | 30U;
// A regular file that anyone may read and its owner write.
constexpr uLong kEntryMode = 0100644;
// The largest size or place the plain format holds; past it, zip64.
constexpr qint64 kPlainLimit = 0xffffffffLL;
// Room for the headers of an entry beyond its bytes, to decide on zip64 before it.
constexpr qint64 kHeaderRoom = 1 << 16;
// The extended timestamp field: its id, and its flag for the time of last
// change, which alone it holds here.
constexpr uint kTimeFieldId = 0x5455;
constexpr char kModifiedFlag = 1;
// The earliest date a zip can hold: 1980-01-01.
constexpr int kFirstZipYear = 1980;

struct LookedEntry
{
    QByteArray name; // UTF-8
    qint64 size = 0;
    qint64 modified = 0; // seconds since 1970
};

FileStatus statusOf(const ZipEntry &entry)
{
    return entry.folder ? entry.folder->look(entry.file) : StatFile(entry.file);
}

QString displayed(const ZipEntry &entry)
{
    return QLatin1Char('"')
           + DisplayFileName(entry.folder ? entry.folder->pathOf(entry.file) : entry.file)
           + QLatin1Char('"');
}

// The extended timestamp field: the time of last change, as a Unix time.
QByteArray timeField(qint64 modified)
{
    const auto time = quint32(modified);
    QByteArray field;
    for (const uint value : {kTimeFieldId & 0xff, kTimeFieldId >> 8, 5U, 0U})
        field.append(char(value));
    field.append(kModifiedFlag);
    for (int shift = 0; shift < 32; shift += 8)
        field.append(char((time >> shift) & 0xff));
    return field;
}

// The time of last change in the extra field, or -1 when it holds none.
qint64 modifiedIn(const QByteArray &extra)
{
    const auto byte = [&extra](qsizetype at) {
        return uint(uchar(extra.at(at)));
    };
    for (qsizetype at = 0; at + 4 <= extra.size();) {
        const uint id = byte(at) | (byte(at + 1) << 8);
        const qsizetype size = byte(at + 2) | (byte(at + 3) << 8);
        if (id == kTimeFieldId && size >= 5 && at + 9 <= extra.size()
            && (byte(at + 4) & kModifiedFlag))
            return qint64(byte(at + 5) | (byte(at + 6) << 8) | (byte(at + 7) << 16)
                          | (quint32(byte(at + 8)) << 24));
        at += 4 + size;
    }
    return -1;
}

// The local date and time of a file's last change, as the zip holds it.
zip_fileinfo entryInfo(qint64 modified)
{
    zip_fileinfo info{};
    const std::time_t when = std::time_t(modified);
    std::tm local{};
    if (localtime_r(&when, &local) && local.tm_year + 1900 >= kFirstZipYear) {
        info.tmz_date.tm_sec = uInt(local.tm_sec);
        info.tmz_date.tm_min = uInt(local.tm_min);
        info.tmz_date.tm_hour = uInt(local.tm_hour);
        info.tmz_date.tm_mday = uInt(local.tm_mday);
        info.tmz_date.tm_mon = uInt(local.tm_mon);
        info.tmz_date.tm_year = uInt(local.tm_year + 1900);
    } else {
        info.tmz_date.tm_mday = 1;
        info.tmz_date.tm_year = kFirstZipYear;
    }
    info.external_fa = kEntryMode << 16;
    return info;
}

void appendLittle(QByteArray &bytes, quint64 value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

// The sizes of the plain end record and of the zip64 one.
constexpr qint64 kEndRecord = 22;
constexpr qint64 kZip64EndRecord = 56;
// More entries than the plain end record counts: 0xffff there says "see
// the zip64 record".
constexpr qsizetype kPlainEntryLimit = 0xffff;

// minizip gives a zip its zip64 end records only when the central directory
// starts past 4 GiB; one of 65535 entries or more needs them as well. They
// go in before the plain end record, which is written again after them.
// directoryStart is where the central directory began; the file in the
// making is written, never read.
int addZip64End(int fd, qsizetype entries, qint64 directoryStart)
{
    const off_t end = ::lseek(fd, 0, SEEK_END);
    if (end < 0)
        return errno;
    if (directoryStart < 0)
        return EIO;
    if (directoryStart >= kPlainLimit)
        return 0; // minizip wrote them
    const qint64 recordStart = qint64(end) - kEndRecord;
    const qint64 directorySize = recordStart - directoryStart;
    QByteArray records("PK\x06\x06", 4);
    appendLittle(records, kZip64EndRecord - 12, 8);
    appendLittle(records, kMadeOnUnix, 2);
    appendLittle(records, 45, 2); // the version that reads zip64
    appendLittle(records, 0, 8);  // this disk, and the directory's
    appendLittle(records, quint64(entries), 8);
    appendLittle(records, quint64(entries), 8);
    appendLittle(records, quint64(directorySize), 8);
    appendLittle(records, quint64(directoryStart), 8);
    records.append("PK\x06\x07", 4);
    appendLittle(records, 0, 4);
    appendLittle(records, quint64(recordStart), 8);
    appendLittle(records, 1, 4);
    records.append("PK\x05\x06", 4);
    appendLittle(records, 0, 4); // this disk, and the directory's
    appendLittle(records, kPlainEntryLimit, 2);
    appendLittle(records, kPlainEntryLimit, 2);
    appendLittle(records, quint64(directorySize), 4);
    appendLittle(records, quint64(directoryStart), 4);
    appendLittle(records, 0, 2); // no comment
    if (::lseek(fd, off_t(recordStart), SEEK_SET) < 0)
        return errno;
    return posix::WriteAll(fd, records).error;
}

// Whether the zip name of folder lists exactly the entries, in order.
bool holdsEntries(const OutputFolder &folder, const QString &zipName,
                  const QList<LookedEntry> &entries)
{
    SourceFile zip(folder.handle(), zipName);
    if (!zip.isOpen())
        return false;
    ZipDescriptor descriptor{zip.handle(), 0};
    zlib_filefunc64_def functions = ZipDescriptorFunctions(descriptor);
    unzFile reader = unzOpen2_64("", &functions);
    if (!reader)
        return false;
    unz_global_info64 global{};
    bool same = unzGetGlobalInfo64(reader, &global) == UNZ_OK
                && global.number_entry == ZPOS64_T(entries.size());
    int step = unzGoToFirstFile(reader);
    for (qsizetype i = 0; same && i < entries.size(); ++i, step = unzGoToNextFile(reader)) {
        const LookedEntry &expected = entries.at(i);
        unz_file_info64 info{};
        QByteArray name(expected.name.size() + 1, '\0');
        QByteArray extra(0xffff, '\0');
        same = step == UNZ_OK
               && unzGetCurrentFileInfo64(reader, &info, name.data(), uLong(name.size()),
                                          extra.data(), uLong(extra.size()), nullptr, 0)
                          == UNZ_OK
               && info.size_filename == uLong(expected.name.size())
               && name.left(expected.name.size()) == expected.name && info.compression_method == 0
               && info.uncompressed_size == ZPOS64_T(expected.size)
               && modifiedIn(extra.left(qsizetype(info.size_file_extra)))
                          == qint64(quint32(expected.modified));
    }
    unzClose(reader);
    return same;
}

// Writes the entries into the zip being made on fd; 0, or the errno of the
// failure (ECANCELED when stopped), with words of its own in problem when
// a file could not be read.
class ZipFill
{
public:
    ZipFill(const QList<ZipEntry> &entries, const std::function<bool()> &stopRequested)
        : m_entries(entries), m_stopRequested(stopRequested), m_piece(std::size_t(kReadPiece))
    {}

    int operator()(int fd);
    bool wasStopped() const { return m_stopped; }
    const QString &problem() const { return m_problem; }

private:
    int addEntry(zipFile zip, const ZipEntry &entry);
    int copyBytes(zipFile zip, int in);
    int readFailure(const ZipEntry &entry, const QString &why, int code);

    const QList<ZipEntry> &m_entries;
    const std::function<bool()> &m_stopRequested;
    std::vector<char> m_piece;
    ZipDescriptor m_descriptor;
    bool m_stopped = false;
    QString m_problem;
};

int ZipFill::operator()(int fd)
{
    m_descriptor = {fd, 0};
    zlib_filefunc64_def functions = ZipDescriptorFunctions(m_descriptor);
    zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &functions);
    if (!zip)
        return m_descriptor.error != 0 ? m_descriptor.error : EIO;
    int code = 0;
    for (const ZipEntry &entry : m_entries) {
        if (m_stopRequested && m_stopRequested()) {
            m_stopped = true;
            code = ECANCELED;
            break;
        }
        code = addEntry(zip, entry);
        if (code != 0)
            break;
    }
    // The central directory follows the last entry.
    const off_t directoryStart = ::lseek(fd, 0, SEEK_CUR);
    if (zipClose(zip, nullptr) != ZIP_OK && code == 0)
        code = m_descriptor.error != 0 ? m_descriptor.error : EIO;
    if (code == 0 && m_entries.size() >= kPlainEntryLimit)
        code = addZip64End(fd, m_entries.size(), directoryStart);
    return code;
}

int ZipFill::addEntry(zipFile zip, const ZipEntry &entry)
{
    SourceFile source = entry.folder ? SourceFile(entry.folder->handle(), entry.file)
                                     : SourceFile(entry.file);
    if (!source.isOpen())
        return readFailure(entry, source.problem(), EIO);
    const FileStatus &status = source.status();
    const qint64 modified = status.modifiedMs / 1000;
    const zip_fileinfo info = entryInfo(modified);
    const QByteArray field = timeField(modified);
    const QByteArray name = entry.name.toUtf8();
    // The entry starts where the zip ends so far.
    const off_t start = ::lseek(m_descriptor.fd, 0, SEEK_CUR);
    const int zip64 = start < 0 || start + status.size + kHeaderRoom >= kPlainLimit ? 1 : 0;
    if (zipOpenNewFileInZip4_64(zip, name.constData(), &info, field.constData(), uInt(field.size()),
                                field.constData(), uInt(field.size()), nullptr, 0, 0, 0, -MAX_WBITS,
                                DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, kMadeOnUnix,
                                kUtf8Names, zip64)
        != ZIP_OK)
        return m_descriptor.error != 0 ? m_descriptor.error : EIO;
    int code = copyBytes(zip, source.handle());
    if (code == EIO && m_descriptor.error == 0 && m_problem.isEmpty())
        code = readFailure(entry, QStringLiteral("the file could not be read"), EIO);
    if (zipCloseFileInZip(zip) != ZIP_OK && code == 0)
        code = m_descriptor.error != 0 ? m_descriptor.error : EIO;
    return code;
}

int ZipFill::copyBytes(zipFile zip, int in)
{
    for (;;) {
        const ssize_t got = ::read(in, m_piece.data(), m_piece.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return EIO;
        if (got == 0)
            return 0;
        if (zipWriteInFileInZip(zip, m_piece.data(), unsigned(got)) != ZIP_OK)
            return m_descriptor.error != 0 ? m_descriptor.error : EIO;
    }
}

int ZipFill::readFailure(const ZipEntry &entry, const QString &why, int code)
{
    m_problem = QStringLiteral("%1 could not be put into it: %2").arg(displayed(entry), why);
    return code;
}

} // namespace

AlbumZipOutcome WriteAlbumZip(const OutputWriter &writer, const OutputFolder &folder,
                              const QString &zipName, const QList<ZipEntry> &entries,
                              const std::function<bool()> &stopRequested)
{
    AlbumZipOutcome outcome;
    QList<ZipEntry> distinct;
    QList<LookedEntry> looked;
    QSet<QString> names;
    for (const ZipEntry &entry : entries) {
        if (names.contains(entry.name))
            continue;
        names.insert(entry.name);
        const FileStatus status = statusOf(entry);
        if (!status.isRegular()) {
            const QString why = NotAPictureFileReason(status);
            outcome.error = QStringLiteral("%1 could not be put into it: %2")
                                    .arg(displayed(entry),
                                         why.isEmpty() ? QStringLiteral("it is no file") : why);
            return outcome;
        }
        distinct.append(entry);
        looked.append({entry.name.toUtf8(), status.size, status.modifiedMs / 1000});
    }
    outcome.entries = int(distinct.size());
    if (holdsEntries(folder, zipName, looked)) {
        outcome.result = AlbumZipOutcome::Result::Kept;
        outcome.bytes = folder.look(zipName).size;
        return outcome;
    }
    ZipFill fill(distinct, stopRequested);
    QString error;
    if (writer.writeStreamed(folder, zipName, std::ref(fill), &error)) {
        outcome.result = AlbumZipOutcome::Result::Written;
        outcome.bytes = folder.look(zipName).size;
    } else if (fill.wasStopped()) {
        outcome.result = AlbumZipOutcome::Result::Stopped;
    } else {
        outcome.error = fill.problem().isEmpty() ? error : fill.problem();
    }
    return outcome;
}

QString AlbumZipName(const QString &folderName)
{
    static const QString kNotInNames = QStringLiteral("/\\:*?\"<>|");
    QString name = folderName;
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || kNotInNames.contains(c))
            c = QLatin1Char('_');
    }
    const auto trimmed = [](QChar c) {
        return c == QLatin1Char('.') || c.isSpace();
    };
    while (!name.isEmpty() && trimmed(name.front()))
        name.remove(0, 1);
    while (!name.isEmpty() && trimmed(name.back()))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("photos");
    return name + QLatin1String(".zip");
}

} // namespace vintora
