#pragma once

// A zip file read byte by byte, as the tests check it: the entries its
// central directory lists and the stored bytes of each.

#include <QByteArray>
#include <QList>

namespace zip_listing {

struct Entry
{
    QByteArray name;
    int flags = 0;
    int method = -1;
    quint32 crc = 0;
    qint64 storedSize = 0;
    qint64 size = 0;
    int dosTime = 0;
    int dosDate = 0;
    qint64 unixTime = -1; // of the extended timestamp field; -1 without one
    QByteArray bytes;     // the data after the local header, storedSize long
};

inline quint32 little(const QByteArray &zip, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(zip.at(at + i));
    return value;
}

inline qint64 timeIn(const QByteArray &extra)
{
    for (qsizetype at = 0; at + 4 <= extra.size();) {
        const quint32 id = little(extra, at, 2);
        const qsizetype size = little(extra, at + 2, 2);
        if (id == 0x5455 && size >= 5 && (quint8(extra.at(at + 4)) & 1))
            return little(extra, at + 5, 4);
        at += 4 + size;
    }
    return -1;
}

// The entries of the zip, in the order its central directory lists them;
// none when no end record is found.
inline QList<Entry> entriesOf(const QByteArray &zip)
{
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0)
        return {};
    const qsizetype count = little(zip, end + 10, 2);
    qsizetype at = little(zip, end + 16, 4);
    QList<Entry> entries;
    for (qsizetype i = 0; i < count && zip.mid(at, 4) == QByteArray("PK\x01\x02", 4); ++i) {
        Entry entry;
        entry.flags = int(little(zip, at + 8, 2));
        entry.method = int(little(zip, at + 10, 2));
        entry.dosTime = int(little(zip, at + 12, 2));
        entry.dosDate = int(little(zip, at + 14, 2));
        entry.crc = little(zip, at + 16, 4);
        entry.storedSize = little(zip, at + 20, 4);
        entry.size = little(zip, at + 24, 4);
        const qsizetype nameSize = little(zip, at + 28, 2);
        const qsizetype extraSize = little(zip, at + 30, 2);
        const qsizetype commentSize = little(zip, at + 32, 2);
        const qsizetype local = little(zip, at + 42, 4);
        entry.name = zip.mid(at + 46, nameSize);
        entry.unixTime = timeIn(zip.mid(at + 46 + nameSize, extraSize));
        const qsizetype data = local + 30 + little(zip, local + 26, 2) + little(zip, local + 28, 2);
        entry.bytes = zip.mid(data, entry.storedSize);
        entries << entry;
        at += 46 + nameSize + extraSize + commentSize;
    }
    return entries;
}

} // namespace zip_listing
