#include "page/index_page_writer.h"

#include "base/maker.h"
#include "base/text_helpers.h"
#include "page/picture_reference.h"
#include "settings/html_color.h"

#include <QStringEncoder>

#include <cstdint>
#include <cstring>
#include <memory>

namespace vintora {

namespace {

constexpr QLatin1Char Q('"');

// The fixed parts of a thumbnail link around its two references.
const char *const kAnchorOpening = "<A HREF = \"";
const char *const kLinkEnd = "\"";

// Collects the page's bytes and hands them to the device in large blocks,
// so that a page of many thousands of lines costs few writes. Text is
// encoded in the system's 8-bit encoding; the picture references are
// escaped to plain ASCII straight into the block.
class ByteSink
{
public:
    explicit ByteSink(QIODevice &out)
        : m_out(out)
        , m_encoder(QStringConverter::System)
        , m_capacity(kBlock + kSlack)
        , m_data(new char[size_t(m_capacity)])
    {}

    QByteArray encode(const QString &text) { return m_encoder.encode(text); }

    // Room for at least n more bytes; what is written there counts once
    // advance() is given its end.
    char *room(qsizetype n)
    {
        if (m_used + n > m_capacity) {
            flush();
            if (n > m_capacity) {
                m_capacity = n;
                m_data.reset(new char[size_t(m_capacity)]);
            }
        }
        return m_data.get() + m_used;
    }

    void advance(const char *end) { m_used = end - m_data.get(); }

    void append(QByteArrayView bytes)
    {
        char *at = room(bytes.size());
        std::memcpy(at, bytes.data(), size_t(bytes.size()));
        advance(at + bytes.size());
    }

    void line(const QString &text)
    {
        append(encode(text));
        endLine();
    }

    // A fixed line, its length known when compiled.
    template<size_t N>
    void line(const char (&ascii)[N])
    {
        append(QByteArrayView(ascii, N - 1));
        endLine();
    }

    void endLine()
    {
        append("\r\n");
        blockDone();
    }

    // Hands the block over once it is full.
    void blockDone()
    {
        if (m_used >= kBlock)
            flush();
    }

    bool flush()
    {
        if (m_used > 0 && !m_failed) {
            if (m_out.write(m_data.get(), m_used) != m_used)
                m_failed = true;
        }
        m_used = 0;
        return !m_failed;
    }

private:
    static constexpr qsizetype kBlock = 256 * 1024;
    // Room past a block for the line that fills it.
    static constexpr qsizetype kSlack = 64 * 1024;
    QIODevice &m_out;
    QStringEncoder m_encoder;
    qsizetype m_capacity;
    std::unique_ptr<char[]> m_data;
    qsizetype m_used = 0;
    bool m_failed = false;
};

// Copies the few dozen bytes of one piece of a thumbnail line: sixteen at
// a time, the last ones overlapping. Calling the library's memcpy for each
// piece cost more than the copying itself.
#if defined(__GNUC__) || defined(__clang__)
[[gnu::always_inline]]
#endif
inline char *
copyPiece(char *at, const char *from, qsizetype n)
{
    if (n >= 16) {
        qsizetype i = 0;
        for (; i + 16 <= n; i += 16)
            std::memcpy(at + i, from + i, 16);
        std::memcpy(at + n - 16, from + n - 16, 16);
    } else if (n >= 8) {
        std::uint64_t head, tail;
        std::memcpy(&head, from, 8);
        std::memcpy(&tail, from + n - 8, 8);
        std::memcpy(at, &head, 8);
        std::memcpy(at + n - 8, &tail, 8);
    } else {
        for (qsizetype i = 0; i < n; ++i)
            at[i] = from[i];
    }
    return at + n;
}

char *copyBytes(char *at, const QByteArray &bytes)
{
    return copyPiece(at, bytes.constData(), bytes.size());
}

QString quoted(const QString &value)
{
    return Q + value + Q;
}

QString quotedNumber(qint16 value)
{
    return quoted(QString::number(value));
}

QString colorAttribute(const char *name, ColorValue color)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String(" = ")
           + quoted(QLatin1Char('#') + HtmlColor(color));
}

// How many pictures ahead the writer asks for the end of a path (where the
// file name is) to be fetched into the cache. The texts of a long list lie
// all over memory; without this, waiting for each in turn took longer than
// building the lines (2.5 against 1.4 ms for 32,767 pictures).
constexpr qsizetype kPrefetchAhead = 16;

// Always inlined: GCC takes a separate function that only prefetches for
// one without effects and drops the calls.
#if defined(__GNUC__) || defined(__clang__)
[[gnu::always_inline]] inline void prefetch(const QStringList &entries, qsizetype k)
{
    if (k < entries.size()) {
        const QString &path = entries.at(k);
        __builtin_prefetch(path.constData() + path.size() - 1);
    }
}
#else
inline void prefetch(const QStringList &, qsizetype) {}
#endif

class PageBuilder
{
public:
    PageBuilder(const WizardSettings &settings, const PageWriteOptions &options, ByteSink &sink)
        : m_settings(settings)
        , m_options(options)
        , m_sink(sink)
        , m_copied(options.copied.value_or(settings.copyPictures == kTrue))
        , m_borderAttribute(borderAttribute())
        , m_imageAttributes(sink.encode(imageAttributes()))
    {}

    // The text a picture path is referred to by, before escaping, and
    // whether it is relative to the page.
    struct ReferenceText
    {
        QStringView text;
        bool relative;
        QByteArrayView scheme; // written before the escaped text
    };

    ReferenceText referenceText(const QString &path) const
    {
        if (!m_copied)
            return {path, false, "file://"};
        if (!m_options.copiedNames.isEmpty()) {
            const auto it = m_options.copiedNames.constFind(path);
            if (it != m_options.copiedNames.constEnd())
                return {*it, true, ""};
        }
        const qsizetype start = FileNameStart(path, m_options.separator);
        return {QStringView(path).mid(start), true, ""};
    }

    static qsizetype maxBytes(const ReferenceText &ref)
    {
        return ref.scheme.size() + ref.text.size() * kMaxEscapedBytesPerUnit;
    }

    char *writeReference(char *at, const ReferenceText &ref) const
    {
        if (!ref.scheme.isEmpty()) {
            std::memcpy(at, ref.scheme.data(), size_t(ref.scheme.size()));
            at += ref.scheme.size();
        }
        return WriteEscapedReference(at, ref.text, ref.relative, m_options.separator);
    }

    QString reference(const QString &path) const
    {
        const ReferenceText ref = referenceText(path);
        QByteArray out(maxBytes(ref), Qt::Uninitialized);
        out.truncate(writeReference(out.data(), ref) - out.constData());
        return QString::fromLatin1(out);
    }

    // One thumbnail line: what comes before the link, the anchor and the
    // image both pointing at the picture, and what ends the line.
    void thumbnailLine(const QByteArray &before, const QString &path, const QByteArray &after,
                       const QByteArray &tail)
    {
        if (!m_options.thumbnails.isEmpty()) {
            const auto it = m_options.thumbnails.constFind(path);
            if (it != m_options.thumbnails.constEnd())
                return smallPictureLine(before, path, *it, tail);
        }
        const ReferenceText ref = referenceText(path);
        const qsizetype most
                = before.size() + 2 * maxBytes(ref) + m_imageSource.size() + after.size();
        char *at = copyBytes(m_sink.room(most), before);
        char *const link = at;
        at = writeReference(at, ref);
        const qsizetype linkSize = at - link;
        at = copyBytes(at, m_imageSource);
        at = copyPiece(at, link, linkSize);
        at = copyBytes(at, after);
        m_sink.advance(at);
        m_sink.blockDone();
    }

    // A thumbnail line whose image is the picture's thumbnail, followed by
    // tail (what comes after the image's "</a>").
    void smallPictureLine(const QByteArray &before, const QString &path,
                          const PageThumbnail &thumbnail, const QByteArray &tail)
    {
        const ReferenceText ref = referenceText(path);
        QByteArray size = " width = \"";
        if (m_settings.thumbHeight != 0) {
            // Without a shown size, the box as for any picture.
            const bool shown = !thumbnail.shown.isEmpty();
            size += QByteArray::number(shown ? thumbnail.shown.width() : m_settings.thumbWidth)
                    + "\" height = \""
                    + QByteArray::number(shown ? thumbnail.shown.height() : m_settings.thumbHeight)
                    + '"';
        } else {
            size += QByteArray::number(m_settings.thumbWidthPercent) + "%\"";
        }
        const QByteArray source = "\"><IMG SRC = \"" + QByteArray(kThumbnailFolder) + '/';
        const qsizetype most = before.size() + maxBytes(ref) + source.size()
                               + thumbnail.name.size() * kMaxEscapedBytesPerUnit + 1 + size.size()
                               + m_borderAttribute.size() + 1 + tail.size();
        char *at = copyBytes(m_sink.room(most), before);
        at = writeReference(at, ref);
        at = copyBytes(at, source);
        at = WriteEscapedReference(at, thumbnail.name, true, m_options.separator);
        *at++ = '"';
        at = copyBytes(at, size);
        at = copyBytes(at, m_borderAttribute);
        *at++ = '>';
        at = copyBytes(at, tail);
        m_sink.advance(at);
        m_sink.blockDone();
    }

    QString cellOpening() const
    {
        QString cell = QLatin1String("<TD ALIGN = ") + quoted(m_settings.cellAlign)
                       + QLatin1String(" VALIGN = ") + quoted(m_settings.cellVAlign)
                       + colorAttribute("bgcolor", m_settings.cellColor);
        if (!m_settings.cellPicture.isEmpty())
            cell += QLatin1String(" background = ") + quoted(reference(m_settings.cellPicture));
        cell += QLatin1Char('>');
        return cell;
    }

    QString bodyTag() const
    {
        QString body = QLatin1String("<body");
        if (!m_settings.backgroundPicture.isEmpty())
            body += QLatin1String(" background = ")
                    + quoted(reference(m_settings.backgroundPicture));
        body += colorAttribute("bgcolor", m_settings.pageColor);
        body += colorAttribute("text", m_settings.textColor);
        body += colorAttribute("link", m_settings.linkColor);
        body += colorAttribute("vlink", m_settings.visitedLinkColor);
        body += colorAttribute("alink", m_settings.activeLinkColor);
        body += QLatin1Char('>');
        return body;
    }

    void tableLayout(const QStringList &entries)
    {
        const qint16 columns = m_settings.tableColumns;
        m_sink.line(QLatin1String("<table border = ") + quotedNumber(m_settings.tableBorder)
                    + QLatin1String(" cellpadding = ") + quotedNumber(m_settings.cellPadding)
                    + QLatin1String(" cellspacing = ") + quotedNumber(m_settings.cellSpacing)
                    + QLatin1Char('>'));

        const qsizetype n = entries.size();
        const qsizetype fullRows = n / columns;
        const QByteArray before = m_sink.encode(cellOpening()) + kAnchorOpening;
        const QByteArray tail = "</a></TD>\r\n";
        const QByteArray after = kLinkEnd + m_imageAttributes + tail;
        qsizetype k = 0;
        for (qsizetype row = 0; row < fullRows; ++row) {
            m_sink.line("<TR>");
            for (qint16 c = 0; c < columns; ++c) {
                prefetch(entries, k + kPrefetchAhead);
                thumbnailLine(before, entries.at(k++), after, tail);
            }
            m_sink.line("</TR>");
        }
        // The last row is always written, filled up with filler cells, and
        // is not closed by </TR>.
        m_sink.line("<TR>");
        for (qint16 c = 0; c < columns; ++c, ++k) {
            if (k < n)
                thumbnailLine(before, entries.at(k), after, tail);
            else
                m_sink.line("<TD>&nbsp;</TD>");
        }
        m_sink.line("</TABLE>");
    }

    void genericLayout(const QStringList &entries)
    {
        const QByteArray before = kAnchorOpening;
        const QByteArray tail = "</a> \r\n";
        const QByteArray after = kLinkEnd + m_imageAttributes + tail;
        for (qsizetype k = 0; k < entries.size(); ++k) {
            prefetch(entries, k + kPrefetchAhead);
            thumbnailLine(before, entries.at(k), after, tail);
        }
    }

private:
    QString imageAttributes() const
    {
        QString attributes;
        if (m_settings.thumbHeight != 0) {
            attributes = QLatin1String(" width = ") + quotedNumber(m_settings.thumbWidth)
                         + QLatin1String(" height = ") + quotedNumber(m_settings.thumbHeight);
        } else {
            attributes
                    = QLatin1String(" width = ")
                      + quoted(QString::number(m_settings.thumbWidthPercent) + QLatin1Char('%'))
                      + QLatin1String(" height = ")
                      + quoted(QString::number(m_settings.thumbHeightPercent) + QLatin1Char('%'));
        }
        attributes += QLatin1String(m_borderAttribute);
        attributes += QLatin1Char('>');
        return attributes;
    }

    // Browsers no longer draw a border around linked images by default, so
    // one asked for is written out: 2 pixels in the link colour.
    QByteArray borderAttribute() const
    {
        return m_settings.imageBorders == kFalse ? " border = \"0\"" : " border = \"2\"";
    }

    const WizardSettings &m_settings;
    const PageWriteOptions &m_options;
    ByteSink &m_sink;
    const bool m_copied;
    const QByteArray m_borderAttribute;
    const QByteArray m_imageAttributes;
    // Between the anchor's reference and the image's.
    const QByteArray m_imageSource = QByteArrayLiteral("\"><IMG SRC = \"");
};

} // namespace

bool WriteIndexPage(const WizardSettings &settings, const QStringList &entries, int major,
                    int minor, QIODevice &out, const PageWriteOptions &options, QString *error)
{
    const bool table = settings.layoutStyle == QLatin1String(kLayoutTable);
    if (table && settings.tableColumns == 0) {
        if (error)
            *error = QStringLiteral("A table needs at least one column.");
        return false;
    }

    ByteSink sink(out);
    PageBuilder page(settings, options, sink);
    sink.line(QStringLiteral("<!-- Code generated by Vintora %1.%2, %3 -->")
                      .arg(major)
                      .arg(minor)
                      .arg(QLatin1String(maker::kNotice)));
    sink.line(QStringLiteral("<!-- Mail: %1  Web: %2 -->")
                      .arg(QLatin1String(maker::kMail), QLatin1String(maker::kWebHost)));
    sink.line("<html><head><title>Vintora Index Page</title></head>");
    sink.line(page.bodyTag());
    sink.line("Thumbnails<hr><center>");
    if (table)
        page.tableLayout(entries);
    else if (settings.layoutStyle == QLatin1String(kLayoutGeneric))
        page.genericLayout(entries);
    sink.line("</center><hr>");
    sink.line(QLatin1String("<br><br><center><font size = ") + quoted(QStringLiteral("1"))
              + QLatin1String("><a href = ") + quoted(QLatin1String(maker::kWebAddress))
              + QLatin1String(">this page generated by Vintora software</a></font></center><br>"));
    sink.line("</body></html>");

    if (!sink.flush()) {
        if (error)
            *error = out.errorString().isEmpty() ? QStringLiteral("The page could not be written.")
                                                 : out.errorString();
        return false;
    }
    return true;
}

} // namespace vintora
