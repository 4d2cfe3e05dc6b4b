#include "pictures/cmyk_jpeg.h"

#include "pictures/colour_profiles.h"

#include <QList>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace vintora {

namespace {

// A JPEG has a handful of segments before its first scan; one with more is
// not walked further.
constexpr int kMostSegments = 4096;
// An APP2 segment of a colour profile: this mark, the chunk's number and
// the count of chunks, then the chunk.
constexpr QByteArrayView kIccMark("ICC_PROFILE\0", 12);

int bigEndian16(const uchar *at)
{
    return at[0] << 8 | at[1];
}

bool isFrameMarker(uchar marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The profile from its chunks (number, bytes): empty unless every one of
// count is there once.
QByteArray joinedProfile(QList<std::pair<int, QByteArrayView>> chunks, int count)
{
    if (chunks.size() != count)
        return {};
    std::sort(chunks.begin(), chunks.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    QByteArray profile;
    for (int i = 0; i < count; ++i) {
        if (chunks.at(i).first != i + 1)
            return {};
        profile.append(chunks.at(i).second);
    }
    return profile;
}

} // namespace

JpegColours ReadJpegColours(QByteArrayView jpeg)
{
    JpegColours colours;
    const auto *s = reinterpret_cast<const uchar *>(jpeg.data());
    const qsizetype size = jpeg.size();
    if (size < 4 || s[0] != 0xFF || s[1] != 0xD8)
        return colours;
    QList<std::pair<int, QByteArrayView>> chunks;
    int chunkCount = 0;
    qsizetype i = 2;
    for (int segment = 0; segment < kMostSegments && i + 4 <= size; ++segment) {
        if (s[i] != 0xFF)
            break;
        const uchar marker = s[i + 1];
        if (marker == 0xFF) { // a fill byte
            ++i;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            break;
        const qsizetype length = bigEndian16(s + i + 2);
        if (length < 2 || i + 2 + length > size)
            break;
        const QByteArrayView body = jpeg.sliced(i + 4, length - 2);
        if (isFrameMarker(marker) && body.size() >= 6)
            colours.components = uchar(body.at(5));
        else if (marker == 0xEE && body.startsWith("Adobe"))
            colours.adobe = true;
        else if (marker == 0xE2 && body.size() > 14 && body.startsWith(kIccMark)) {
            chunkCount = uchar(body.at(13));
            chunks.append({uchar(body.at(12)), body.sliced(14)});
        }
        i += 2 + length;
    }
    if (chunkCount > 0)
        colours.iccProfile = joinedProfile(chunks, chunkCount);
    return colours;
}

namespace {

// libjpeg's errors end the decode through a jump back to decodeRows.
struct JpegError
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError *>(info->err)->jump, 1);
}

// Warnings of damaged data are not printed: the picture is decoded as
// libjpeg can, as Qt's reader does.
void printNothing(j_common_ptr) {}

// Where the decoded rows go: the picture, made once its size is known.
class RowSink
{
public:
    virtual ~RowSink() = default;
    // The buffer for one row of CMYK samples; null to stop the decode.
    virtual uchar *begin(int width, int height) = 0;
    virtual void rowDone(int y) = 0;
};

// Every libjpeg call of the decode, which may jump back here on an error:
// nothing in this frame needs destroying.
bool decodeRows(jpeg_decompress_struct *info, JpegError *error, QByteArrayView jpeg, int eighths,
                RowSink *sink)
{
    if (setjmp(error->jump))
        return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const uchar *>(jpeg.data()),
                 static_cast<unsigned long>(jpeg.size()));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK || info->num_components != 4)
        return false;
    info->out_color_space = JCS_CMYK;
    info->scale_num = unsigned(eighths);
    info->scale_denom = 8;
    jpeg_start_decompress(info);
    uchar *row = sink->begin(int(info->output_width), int(info->output_height));
    if (!row)
        return false;
    while (info->output_scanline < info->output_height) {
        JSAMPROW rows[1] = {row};
        jpeg_read_scanlines(info, rows, 1);
        sink->rowDone(int(info->output_scanline) - 1);
    }
    jpeg_finish_decompress(info);
    return true;
}

// Converts each row into the picture as it is decoded.
class ConvertingSink : public RowSink
{
public:
    ConvertingSink(const CmykToSrgb &conversion, qint64 mostBytes)
        : m_conversion(conversion), m_mostBytes(mostBytes)
    {}
    uchar *begin(int width, int height) override
    {
        if (qint64(width) * height * 4 + qint64(width) * 4 > m_mostBytes)
            return nullptr;
        image = QImage(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return nullptr;
        m_row.resize(std::size_t(width) * 4);
        return m_row.data();
    }
    void rowDone(int y) override
    {
        m_conversion.convertRow(m_row.data(), reinterpret_cast<QRgb *>(image.scanLine(y)),
                                image.width());
    }
    QImage image;

private:
    const CmykToSrgb &m_conversion;
    qint64 m_mostBytes;
    std::vector<uchar> m_row;
};

} // namespace

QImage DecodeCmykJpeg(QByteArrayView jpeg, int eighths, const CmykToSrgb &conversion,
                      qint64 mostBytes, QString *why)
{
    ConvertingSink sink(conversion, mostBytes);
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOnError;
    error.manager.output_message = printNothing;
    const bool decoded = decodeRows(&info, &error, jpeg, eighths, &sink);
    char message[JMSG_LENGTH_MAX] = {};
    if (!decoded && error.manager.msg_code != 0)
        error.manager.format_message(reinterpret_cast<j_common_ptr>(&info), message);
    jpeg_destroy_decompress(&info);
    if (!decoded) {
        *why = QStringLiteral("it is damaged or cannot be read (%1)")
                       .arg(message[0] ? QString::fromLocal8Bit(message)
                                       : QStringLiteral("unsupported image format"));
        return {};
    }
    return sink.image;
}

} // namespace vintora
