#include "pictures/metadata_io.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace vintora {

namespace {

thread_local ExivMessages *t_messages = nullptr;

// Exiv2's messages go to the catcher of the thread that caused them; with
// none, nowhere.
void catchMessage(int, const char *message)
{
    if (t_messages)
        t_messages->add(message);
}

std::mutex g_xmpToolkit;

void lockXmpToolkit(void *, bool lock)
{
    if (lock)
        g_xmpToolkit.lock();
    else
        g_xmpToolkit.unlock();
}

} // namespace

void PrepareExiv2()
{
    static std::once_flag prepared;
    std::call_once(prepared, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::warn);
        Exiv2::LogMsg::setHandler(catchMessage);
        Exiv2::XmpParser::initialize(lockXmpToolkit, nullptr);
        Exiv2::enableBMFF(true);
    });
}

ExivMessages::ExivMessages() : m_outer(t_messages)
{
    t_messages = this;
}

ExivMessages::~ExivMessages()
{
    t_messages = m_outer;
}

void ExivMessages::add(const char *message)
{
    // A few are enough to tell; a damaged file could give thousands.
    if (m_messages.size() < 20)
        m_messages.append(QString::fromUtf8(message).trimmed());
}

DeviceIo::DeviceIo(QIODevice &device, DeviceRecord &record)
    : m_device(device)
    , m_record(record)
    , m_start(device.pos())
    , m_size(std::max<qint64>(0, device.size() - m_start))
{}

DeviceIo::~DeviceIo() = default;

int DeviceIo::open()
{
    m_at = 0;
    m_eof = false;
    return 0;
}

int DeviceIo::close()
{
    return 0;
}

// Exiv2 writes into a temporary of its own and then transfers it here.
long DeviceIo::write(const Exiv2::byte *, long)
{
    return 0;
}

long DeviceIo::write(Exiv2::BasicIo &)
{
    return 0;
}

int DeviceIo::putb(Exiv2::byte)
{
    return EOF;
}

Exiv2::DataBuf DeviceIo::read(long count)
{
    Exiv2::DataBuf buffer(std::max(count, 0L));
    const long got = read(buffer.pData_, count);
    buffer.size_ = got;
    return buffer;
}

long DeviceIo::read(Exiv2::byte *buffer, long count)
{
    if (count <= 0)
        return 0;
    const qint64 available = m_size - m_at;
    qint64 allowed = std::min<qint64>(count, available);
    if (count > available)
        m_eof = true;
    if (m_record.bounded && allowed > DeviceRecord::kLargestBlock) {
        std::memset(buffer, 0, size_t(allowed));
        m_record.passedOverBlock = true;
        m_at += allowed;
        return long(allowed);
    }
    if (m_record.bounded && m_record.bytesRead + allowed > DeviceRecord::kReadBudget) {
        m_record.ranOutOfBudget = true;
        allowed = std::max<qint64>(0, DeviceRecord::kReadBudget - m_record.bytesRead);
    }
    if (allowed <= 0 || !m_device.seek(m_start + m_at))
        return 0;
    const qint64 got = m_device.read(reinterpret_cast<char *>(buffer), allowed);
    if (got < 0) {
        m_failed = true;
        return 0;
    }
    m_at += got;
    m_record.bytesRead += got;
    return long(got);
}

int DeviceIo::getb()
{
    Exiv2::byte byte = 0;
    if (m_at >= m_size) {
        m_eof = true;
        return EOF;
    }
    return read(&byte, 1) == 1 ? int(byte) : EOF;
}

void DeviceIo::transfer(Exiv2::BasicIo &source)
{
    if (source.open() != 0)
        throw Exiv2::Error(Exiv2::kerDataSourceOpenFailed, source.path(), "");
    const size_t size = source.size();
    QByteArray written(qsizetype(size), Qt::Uninitialized);
    if (size_t(source.read(reinterpret_cast<Exiv2::byte *>(written.data()), long(size))) != size)
        throw Exiv2::Error(Exiv2::kerInputDataReadFailed);
    source.close();
    m_record.written = written;
    m_record.hasWritten = true;
}

int DeviceIo::seek(long offset, Position from)
{
    qint64 to = offset;
    if (from == cur)
        to += m_at;
    else if (from == end)
        to += m_size;
    if (to < 0)
        return 1;
    if (to > m_size) {
        m_eof = true;
        return 1;
    }
    m_at = to;
    m_eof = false;
    return 0;
}

// The whole file, for the few readers that want it at once.
Exiv2::byte *DeviceIo::mmap(bool writeable)
{
    if (writeable || (m_record.bounded && m_size > DeviceRecord::kReadBudget)
        || !m_device.seek(m_start))
        throw Exiv2::Error(Exiv2::kerCallFailed, path(), "mmap", "");
    m_mapped = m_device.read(m_size);
    if (m_mapped.size() != m_size)
        throw Exiv2::Error(Exiv2::kerCallFailed, path(), "mmap", "");
    m_record.bytesRead += m_size;
    return reinterpret_cast<Exiv2::byte *>(m_mapped.data());
}

int DeviceIo::munmap()
{
    m_mapped.clear();
    return 0;
}

long DeviceIo::tell() const
{
    return long(m_at);
}

size_t DeviceIo::size() const
{
    return size_t(m_size);
}

bool DeviceIo::isopen() const
{
    return true;
}

int DeviceIo::error() const
{
    return m_failed ? 1 : 0;
}

bool DeviceIo::eof() const
{
    return m_eof;
}

std::string DeviceIo::path() const
{
    return "picture";
}

} // namespace vintora
