#pragma once

// Reading and writing a picture's metadata with Exiv2: the library set up
// once for every thread, its messages caught per call, and a picture file
// handed to it as a Qt device with a bound on what it may read.

#include <QByteArray>
#include <QIODevice>
#include <QStringList>

#include <exiv2/bmffimage.hpp>
#include <exiv2/exiv2.hpp>
#include <exiv2/webpimage.hpp>

namespace vintora {

// Sets Exiv2 up once, from any thread: the XMP toolkit with a lock (it is
// not safe on several threads without one), HEIF and AVIF on, and its
// messages caught by ExivMessages rather than printed.
void PrepareExiv2();

// Catches the warnings and errors Exiv2 gives on this thread while it
// lives: they tell of damaged metadata.
class ExivMessages
{
public:
    ExivMessages();
    ~ExivMessages();
    ExivMessages(const ExivMessages &) = delete;
    ExivMessages &operator=(const ExivMessages &) = delete;

    const QStringList &messages() const { return m_messages; }
    void add(const char *message);

private:
    ExivMessages *m_outer;
    QStringList m_messages;
};

// What happened to a picture file while Exiv2 had it. It outlives the
// DeviceIo, which Exiv2 owns and deletes when it likes.
struct DeviceRecord
{
    // While bounded, a single read of more than kLargestBlock gives that
    // many zero bytes instead (so that Exiv2 passes over a huge block
    // without parsing it), and reads stop once kReadBudget bytes were read.
    static constexpr long kLargestBlock = 1024 * 1024;
    static constexpr qint64 kReadBudget = 8 * 1024 * 1024;

    bool bounded = true;
    bool passedOverBlock = false;
    bool ranOutOfBudget = false;
    qint64 bytesRead = 0;
    // What Exiv2 wrote back in place of the file, once it has written.
    bool hasWritten = false;
    QByteArray written;
};

// A picture file as Exiv2 reads it: the bytes of a Qt device, from where
// it stands when given, read as the record says and noted in it.
class DeviceIo : public Exiv2::BasicIo
{
public:
    DeviceIo(QIODevice &device, DeviceRecord &record);
    ~DeviceIo() override;

    int open() override;
    int close() override;
    long write(const Exiv2::byte *data, long count) override;
    long write(Exiv2::BasicIo &source) override;
    int putb(Exiv2::byte data) override;
    Exiv2::DataBuf read(long count) override;
    long read(Exiv2::byte *buffer, long count) override;
    int getb() override;
    void transfer(Exiv2::BasicIo &source) override;
    int seek(long offset, Position from) override;
    Exiv2::byte *mmap(bool writeable = false) override;
    int munmap() override;
    long tell() const override;
    size_t size() const override;
    bool isopen() const override;
    int error() const override;
    bool eof() const override;
    std::string path() const override;

private:
    QIODevice &m_device;
    DeviceRecord &m_record;
    qint64 m_start;
    qint64 m_size;
    qint64 m_at = 0;
    bool m_eof = false;
    bool m_failed = false;
    QByteArray m_mapped;
};

} // namespace vintora
